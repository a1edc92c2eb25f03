#include "app/Form1.h"

#include "app/Creditos.h"
#include "app/DeferredWindowIcon.h"
#include "app/LinkOpener.h"
#include "app/MessageReporter.h"
#include "app/OrvalinIcons.h"
#include "app/ProductLinks.h"
#include "app/StoredWindows.h"
#include "app/WindowBuilder.h"
#include "controls/banner/CsLogo.h"
#include "controls/button/Button.h"
#include "controls/button/DefaultButtonTracker.h"
#include "core/PlainText.h"
#include "platform/base/AuditTexts.h"
#include "platform/base/Product.h"
#include "platform/messenger/MessengerClient.h"
#include "platform/messenger/MessengerError.h"
#include "platform/messenger/MessengerService.h"
#include "platform/messenger/MessengerServiceSet.h"
#include "platform/messenger/MessengerUser.h"

#include <QCloseEvent>
#include <QElapsedTimer>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QMenuBar>
#include <QProgressBar>
#include <QProgressDialog>

namespace {

const QString Label2Caption = QStringLiteral("E-mail del Zorko");
// A removal shorter than this shows no dialog; the window repaints about this often.
constexpr qint64 ProgressDelayMs = 500;
constexpr qint64 RepaintEveryMs = 30;

QFont verdana()
{
    return WindowBuilder::pointFont(QStringLiteral("Verdana"), 8.25);
}

} // namespace

Form1::Form1(ClientFactory createClient, MessageReporter &reporter, LinkOpener &linkOpener,
             QWidget *parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                              Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                              Qt::WindowCloseButtonHint),
      m_createClient(std::move(createClient)), m_reporter(reporter), m_linkOpener(linkOpener)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Orvalin Beta1"));
    new DeferredWindowIcon(this);
    createMenus();
    createControls();
    m_resultView = std::make_unique<ListaResultView>(m_lista, m_barra1, m_frame2, m_mnDelette,
                                                     QList<QIcon>{OrvalinIcons::rowImage()});
    m_audit = std::make_unique<ContactAudit>(*m_resultView);
}

Form1::~Form1() = default;

void Form1::createMenus()
{
    QMenu *mnArchivo = menuBar()->addMenu(QStringLiteral("&Archivo"));
    mnArchivo->setObjectName(QStringLiteral("mnArchivo"));
    QAction *mnBuscarZ = mnArchivo->addAction(QStringLiteral("&Buscar Zorko"));
    mnBuscarZ->setObjectName(QStringLiteral("mnBuscarZ"));
    connect(mnBuscarZ, &QAction::triggered, this, [this] { runHandler([this] { search(); }); });
    m_mnDelette = mnArchivo->addAction(QStringLiteral("&Eliminar"));
    m_mnDelette->setObjectName(QStringLiteral("mnDelette"));
    m_mnDelette->setEnabled(false);
    connect(m_mnDelette, &QAction::triggered, this,
            [this] { runHandler([this] { removeChecked(); }); });
    mnArchivo->addSeparator()->setObjectName(QStringLiteral("spc"));
    QAction *mnSalir = mnArchivo->addAction(QStringLiteral("&Salir"));
    mnSalir->setObjectName(QStringLiteral("mnSalir"));
    connect(mnSalir, &QAction::triggered, this, &Form1::mnSalirClick);

    QMenu *mnHelp = menuBar()->addMenu(QStringLiteral("&Help"));
    mnHelp->setObjectName(QStringLiteral("mnHelp"));
    const auto addLink = [&](const char *name, const QString &caption, const QUrl &target) {
        QAction *action = mnHelp->addAction(caption);
        action->setObjectName(QString::fromLatin1(name));
        connect(action, &QAction::triggered, this, [this, target] { m_linkOpener.open(target); });
    };
    addLink("mnweb", QStringLiteral("&Web Orvalin"), ProductLinks::webSite());
    addLink("mnForo", QStringLiteral("Foro Web"), ProductLinks::forum());
    addLink("mnEmail", QStringLiteral("Enviar Email"), ProductLinks::mail());
    mnHelp->addSeparator()->setObjectName(QStringLiteral("spc1"));
    QAction *mnAcerca = mnHelp->addAction(QStringLiteral("&Acerca de"));
    mnAcerca->setObjectName(QStringLiteral("mnAcerca"));
    connect(mnAcerca, &QAction::triggered, this, &Form1::showCreditos);
}

void Form1::createControls()
{
    const WindowBuilder build(this, StoredWindows::form1());
    const TwipGeometry &twips = build.twips();
    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("clientArea"));
    client->setFixedSize(twips.toPixels(3945), twips.toPixels(4560));
    setCentralWidget(client);
    // The client area keeps its size; the window follows it and the menu bar.
    layout()->setSizeConstraint(QLayout::SetFixedSize);

    m_csLogo1 = build.banner(client, 4350);

    createDataFrame(client, twips);
    createListFrame(client, twips);

    // The window needs nothing of its buttons but their clicks.
    m_command1 = build.button(client, QStringLiteral("Command1"), twips.rect(720, 3840, 1335, 375));
    connect(m_command1, &Button::Click, this, &Form1::command1Click);
    m_command2 =
        build.button(client, QStringLiteral("Command2"), twips.rect(2160, 3840, 1335, 375));
    connect(m_command2, &Button::Click, this, &Form1::command2Click);

    m_barra1 = new QProgressBar(client);
    m_barra1->setObjectName(QStringLiteral("barra1"));
    m_barra1->setGeometry(twips.rect(0, 4350, 3945, 210));
    m_barra1->setTextVisible(false);
    m_barra1->setRange(0, 100);
    m_barra1->setValue(0);

    applyTabOrder();
    new DefaultButtonTracker(this);
}

void Form1::createDataFrame(QWidget *client, const TwipGeometry &twips)
{
    m_frame1 = new QGroupBox(QStringLiteral("Tus Datos"), client);
    m_frame1->setObjectName(QStringLiteral("Frame1"));
    m_frame1->setGeometry(twips.rect(480, 0, 3375, 855));

    QPalette textPalette;
    textPalette.setColor(QPalette::Base, QColor::fromRgb(toQRgb(0x00C0C0C0)));
    textPalette.setColor(QPalette::Text, QColor::fromRgb(toQRgb(0x00FF0000)));
    const auto createTextBox = [&](const char *name, int top) {
        auto *box = new QLineEdit(m_frame1);
        box->setObjectName(QString::fromLatin1(name));
        box->setGeometry(twips.rect(120, top, 3135, 285));
        box->setReadOnly(true);
        box->setPalette(textPalette);
        box->setFont(verdana());
        return box;
    };
    m_text2 = createTextBox("Text2", 240);
    m_text1 = createTextBox("Text1", 480);
    // The boxes have no label of their own; assistive technology reads these names instead.
    m_text2->setAccessibleName(QStringLiteral("Dirección de inicio de sesión"));
    m_text1->setAccessibleName(QStringLiteral("Nombre para mostrar"));
}

void Form1::createListFrame(QWidget *client, const TwipGeometry &twips)
{
    m_frame2 = new QGroupBox(QStringLiteral("Tu lista de Zorko"), client);
    m_frame2->setObjectName(QStringLiteral("Frame2"));
    m_frame2->setGeometry(twips.rect(480, 960, 3375, 2775));

    m_lista = new QListWidget(m_frame2);
    m_lista->setObjectName(QStringLiteral("Lista"));
    // The frame's title changes with each scan; the list keeps one name.
    m_lista->setAccessibleName(QStringLiteral("Tu lista de Zorko"));
    m_lista->setGeometry(twips.rect(120, 240, 3135, 2175));
    m_lista->setIconSize(QSize(16, 16));
    m_lista->setUniformItemSizes(true);
    m_lista->setSelectionMode(QAbstractItemView::SingleSelection);
    connect(m_lista, &QListWidget::itemChanged, this, [this](QListWidgetItem *row) {
        if (m_resultView->takeCheckChange(row)) {
            m_pressTicked = true;
            runHandler([this, row] { listaItemCheck(row); });
        }
    });
    // A click on a row's check box ticks the row and is no click on the row, which would
    // otherwise show the clicked address over what the tick left in Label2.
    m_lista->viewport()->installEventFilter(this);
    connect(m_lista, &QListWidget::itemClicked, this, [this](QListWidgetItem *row) {
        if (!m_pressTicked)
            runHandler([this, row] { listaItemClick(row); });
    });

    m_label2 = new QLabel(Label2Caption, m_frame2);
    m_label2->setObjectName(QStringLiteral("Label2"));
    m_label2->setGeometry(twips.rect(120, 2520, 3135, 255));
    m_label2->setTextFormat(Qt::PlainText);
    m_label2->setFont(verdana());
    WindowBuilder::setTextColor(m_label2, 0x00FF0000);
}

void Form1::applyTabOrder()
{
    // Tab indexes: Lista 3, Command1 5, Command2 6, Text1 7, Text2 8; the rest take no focus.
    setTabOrder(m_lista, m_command1);
    setTabOrder(m_command1, m_command2);
    setTabOrder(m_command2, m_text1);
    setTabOrder(m_text1, m_text2);
    // The chain is a ring; the window starts on the lowest tab index, not on whichever
    // control was created first.
    m_lista->setFocus();
}

Form1::LoadResult Form1::load()
{
    try {
        m_messenger = m_createClient();
        if (!m_messenger)
            throw MessengerError(QStringLiteral("No se pudo crear el cliente de Messenger"));
        if (m_messenger->serviceSet()->defaultService()->signInState() ==
            MessengerService::SignedOut) {
            m_reporter.error(Product::title(), AuditTexts::signedOut());
            m_messenger.reset();
            return LoadResult::SignedOut;
        }
        m_text2->setText(
            PlainText::forDisplay(m_messenger->serviceSet()->defaultService()->signInName()));
        m_text1->setText(
            PlainText::forDisplay(m_messenger->serviceSet()->defaultService()->displayName()));
    } catch (const Error &error) {
        m_messenger.reset();
        m_reporter.error(Product::title(), error.message());
        return LoadResult::Failed;
    }
    return LoadResult::Loaded;
}

void Form1::closeEvent(QCloseEvent *event)
{
    if (m_removing) {
        // The removal is using the client; the window closes as soon as it ends.
        m_closeAfterRemoval = true;
        event->ignore();
        return;
    }
    // Unload: release the client and the user under removal; never cancelled.
    m_messenger.reset();
    m_audit->releasePendingUser();
    if (m_creditos)
        m_creditos->close();
    Q_EMIT unloaded();
    event->accept();
}

void Form1::runHandler(const std::function<void()> &handler)
{
    try {
        handler();
    } catch (const Error &error) {
        m_reporter.error(Product::title(), error.message());
    } catch (...) {
        m_reporter.error(Product::title(), QStringLiteral("Error desconocido"));
    }
}

MessengerClient &Form1::requireMessenger() const
{
    if (!m_messenger)
        throw MessengerError(QStringLiteral("No hay conexión con el cliente de Messenger"));
    return *m_messenger;
}

void Form1::BuscaIgn()
{
    m_audit->BuscaIgn(requireMessenger());
}

void Form1::search()
{
    m_resultView->clearRows();
    BuscaIgn();
    const QString warning = requireMessenger().scanWarning();
    if (!warning.isEmpty() && !m_scanWarningShown) {
        m_scanWarningShown = true;
        m_reporter.warning(Product::title(), warning);
    }
}

void Form1::removeChecked()
{
    MessengerClient &client = requireMessenger();
    // Nothing can be removed through a downloaded copy: every row stays, and one sentence says
    // where to do it instead.
    if (const QString refusal = client.removalRefusal(); !refusal.isEmpty()) {
        m_reporter.warning(Product::title(), refusal);
        return;
    }
    QElapsedTimer started;
    started.start();
    QElapsedTimer sinceEvents;
    sinceEvents.start();
    std::unique_ptr<QProgressDialog> dialog;
    const QLocale spanish(QLocale::Spanish, QLocale::Spain);
    const auto progress = [&](int done, int total) {
        if (sinceEvents.elapsed() < RepaintEveryMs)
            return !(dialog && dialog->wasCanceled()) && !m_closeAfterRemoval;
        sinceEvents.restart();
        if (!dialog && started.elapsed() >= ProgressDelayMs)
            dialog = createRemovalProgress(total);
        if (dialog) {
            dialog->setLabelText(QStringLiteral("Eliminando %1 de %2…")
                                     .arg(spanish.toString(done), spanish.toString(total)));
            dialog->setValue(done);
            // The dialog blocks the window's input; only its own Cancelar gets through.
            QCoreApplication::processEvents();
        } else {
            // Before the dialog shows, the window repaints but takes no input.
            QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        }
        return !(dialog && dialog->wasCanceled()) && !m_closeAfterRemoval;
    };
    struct Removing
    {
        Form1 &form;
        explicit Removing(Form1 &f) : form(f) { form.m_removing = true; }
        ~Removing()
        {
            form.m_removing = false;
            // The window was closed during the removal: it unloads once this handler is done.
            if (form.m_closeAfterRemoval)
                QMetaObject::invokeMethod(&form, &QWidget::close, Qt::QueuedConnection);
        }
        Q_DISABLE_COPY_MOVE(Removing)
    } removing(*this);
    const QList<RemovalFailure> failures = m_audit->RemoveChecked(client, progress);
    dialog.reset();
    reportRemovalFailures(failures);
}

void Form1::reportRemovalFailures(const QList<RemovalFailure> &failures)
{
    if (failures.isEmpty())
        return;
    // No row was taken on: the one reason is said once, and every ticked row stays.
    if (failures.front().unguarded) {
        m_reporter.warning(Product::title(), PlainText::forDisplay(failures.front().reason));
        return;
    }
    QString text = QStringLiteral("No se han podido eliminar estos contactos:\n");
    for (const RemovalFailure &failure : failures)
        text += QStringLiteral("\n%1: %2")
                    .arg(PlainText::forDisplay(failure.emailAddress),
                         PlainText::forDisplay(failure.reason));
    m_reporter.warning(Product::title(), text);
}

std::unique_ptr<QProgressDialog> Form1::createRemovalProgress(int total)
{
    auto dialog = std::make_unique<QProgressDialog>(this);
    dialog->setObjectName(QStringLiteral("removalProgress"));
    dialog->setWindowTitle(Product::title());
    dialog->setCancelButtonText(QStringLiteral("Cancelar"));
    dialog->setWindowModality(Qt::WindowModal);
    dialog->setMinimumDuration(0);
    dialog->setAutoClose(false);
    dialog->setAutoReset(false);
    dialog->setRange(0, total);
    dialog->show();
    return dialog;
}

void Form1::command1Click()
{
    runHandler([this] { search(); });
}

void Form1::command2Click()
{
    runHandler([this] { removeChecked(); });
}

void Form1::listaItemCheck(QListWidgetItem *row)
{
    if (row->checkState() == Qt::Checked) {
        m_label2->setText(PlainText::forDisplay(row->data(ListaResultView::KeyRole).toString()));
        m_command2->setAvailable(true);
        m_mnDelette->setEnabled(true);
    }
    if (row->checkState() != Qt::Checked) {
        int unchecked = 0;
        const int rows = m_resultView->rowCount();
        for (int i = 1; i <= rows; ++i) {
            if (!m_resultView->isRowChecked(i))
                ++unchecked;
            if (unchecked == m_resultView->rowCount()) {
                m_command2->setAvailable(false);
                m_mnDelette->setEnabled(false);
                m_label2->setText(Label2Caption);
            }
        }
    }
}

bool Form1::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_lista->viewport() && event->type() == QEvent::MouseButtonPress)
        m_pressTicked = false;
    return QWidget::eventFilter(watched, event);
}

void Form1::listaItemClick(QListWidgetItem *row)
{
    const QList<QListWidgetItem *> selected = m_lista->selectedItems();
    const QListWidgetItem *shown = selected.isEmpty() ? row : selected.first();
    m_label2->setText(PlainText::forDisplay(shown->data(ListaResultView::KeyRole).toString()));
}

void Form1::mnSalirClick()
{
    Q_EMIT programEndRequested();
}

void Form1::showCreditos()
{
    // One about window at a time; asking again brings it forward.
    if (!m_creditos) {
        m_creditos = new Creditos(this);
        m_creditos->setAttribute(Qt::WA_DeleteOnClose);
    }
    m_creditos->show();
    m_creditos->raise();
    m_creditos->activateWindow();
}
