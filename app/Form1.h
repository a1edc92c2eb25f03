#pragma once

#include "app/Creditos.h"
#include "app/ListaResultView.h"
#include "core/ContactAudit.h"

#include <QMainWindow>
#include <QPointer>
#include <functional>
#include <memory>

class Button;
class LinkOpener;
class csLogo;
class MessageReporter;
class MessengerClient;
class MessengerUser;
class QAction;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QProgressBar;
class QProgressDialog;
class TwipGeometry;

// The main window: the user's own texts, the result list of the contact scan, and the triggers
// of the scan and of the removal of checked rows.
class Form1 : public QMainWindow
{
    Q_OBJECT

public:
    using ClientFactory = std::function<std::unique_ptr<MessengerClient>()>;

    enum class LoadResult {
        Loaded,    // show the window
        SignedOut, // the user was told; end without a window
        Failed     // the error was shown; end without a window, unsuccessfully
    };

    Form1(ClientFactory createClient, MessageReporter &reporter, LinkOpener &linkOpener,
          QWidget *parent = nullptr);
    ~Form1() override;

    // Connects to the client and fills "Tus Datos". Reports every failure through the reporter.
    LoadResult load();

    MessengerClient *messenger() const { return m_messenger.get(); }
    qint16 zorkoCount() const { return m_audit->zorkoCount(); }
    const QString &pendingEmail() const { return m_audit->pendingEmail(); }
    const std::shared_ptr<const MessengerUser> &pendingUser() const
    {
        return m_audit->pendingUser();
    }

    // Appends the result of a scan to the list; the triggers empty the list first.
    void BuscaIgn();

    // Records the window's scans and removals and guards the keep list; not owned.
    void setAuditJournal(AuditJournal *journal) { m_audit->setJournal(journal); }

    // The search and delete buttons and the banner, for whoever replaces their stand-ins.
    Button *command1() const { return m_command1; }
    Button *command2() const { return m_command2; }
    csLogo *csLogo1() const { return m_csLogo1; }
    // The about window while it is open.
    Creditos *creditos() const { return m_creditos; }
    // "&Acerca de": shows the about window without making it modal.
    void showCreditos();

Q_SIGNALS:
    // The window has unloaded; the about window closes with it.
    void unloaded();
    // "&Salir": the program ends at once, without the unload steps.
    void programEndRequested();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void createControls();
    // "Tus Datos" with the user's address and name.
    void createDataFrame(QWidget *client, const TwipGeometry &twips);
    // "Tu lista de Zorko" with the result list and Label2.
    void createListFrame(QWidget *client, const TwipGeometry &twips);
    void createMenus();
    void applyTabOrder();

    void runHandler(const std::function<void()> &handler);
    MessengerClient &requireMessenger() const;
    void search();
    void removeChecked();
    std::unique_ptr<QProgressDialog> createRemovalProgress(int total);
    void reportRemovalFailures(const QList<RemovalFailure> &failures);

    void command1Click();
    void command2Click();
    void listaItemCheck(QListWidgetItem *row);
    void listaItemClick(QListWidgetItem *row);
    void mnSalirClick();
    bool eventFilter(QObject *watched, QEvent *event) override;

    ClientFactory m_createClient;
    MessageReporter &m_reporter;
    LinkOpener &m_linkOpener;
    std::unique_ptr<MessengerClient> m_messenger;
    // A tick changed since the last mouse press on the list.
    bool m_pressTicked = false;
    bool m_removing = false;
    bool m_closeAfterRemoval = false;
    // The account's warning about incomplete lists is shown with the first scan only.
    bool m_scanWarningShown = false;

    csLogo *m_csLogo1 = nullptr;
    QGroupBox *m_frame1 = nullptr;
    QLineEdit *m_text2 = nullptr;
    QLineEdit *m_text1 = nullptr;
    QGroupBox *m_frame2 = nullptr;
    QListWidget *m_lista = nullptr;
    QLabel *m_label2 = nullptr;
    Button *m_command1 = nullptr;
    Button *m_command2 = nullptr;
    QPointer<Creditos> m_creditos;
    QProgressBar *m_barra1 = nullptr;
    QAction *m_mnDelette = nullptr;

    std::unique_ptr<ListaResultView> m_resultView;
    std::unique_ptr<ContactAudit> m_audit;
};
