// Redrawing the two owner-drawn controls, beside the least any redraw does: filling the
// picture once.
#include "controls/banner/CsLogo.h"
#include "controls/button/Button.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <benchmark/benchmark.h>

namespace {

enum Look { Up = 0, Pressed = 1, Disabled = 2 };

template <typename Control = Button>
std::unique_ptr<Control> makeButton(int type, int width, int height)
{
    auto button = std::make_unique<Control>();
    button->setAttribute(Qt::WA_DontShowOnScreen);
    button->InitProperties();
    button->setCaption(QStringLiteral("&Buscar"));
    button->setButtonType(type);
    button->resize(width, height);
    button->show();
    return button;
}

void ButtonRedraw(benchmark::State &state)
{
    const int type = int(state.range(0));
    const auto look = Look(state.range(1));
    const int width = int(state.range(2));
    auto button = makeButton(type, width, width == 75 ? 23 : 100);
    if (look == Disabled)
        button->setButtonEnabled(VbFalse);
    const quint8 visual = look == Pressed ? Button::StateDown : Button::StateUp;
    for (auto _ : state)
        button->Redraw(visual, VbTrue);
    state.counters["target_ns"] = width == 75 ? 50e3 : 0;
}

void ButtonRedrawFloor(benchmark::State &state)
{
    const int width = int(state.range(2));
    Surface surface;
    surface.resize(width, width == 75 ? 23 : 100);
    for (auto _ : state) {
        surface.clear();
        benchmark::DoNotOptimize(surface.image().constBits());
    }
}

void redrawArguments(benchmark::internal::Benchmark *b)
{
    for (int type = 1; type <= 7; ++type)
        for (int look : {Up, Pressed, Disabled})
            for (int width : {75, 300})
                b->Args({type, look, width});
}
BENCHMARK(ButtonRedraw)->Apply(redrawArguments)->Unit(benchmark::kMicrosecond);
BENCHMARK(ButtonRedrawFloor)->Apply(redrawArguments)->Unit(benchmark::kMicrosecond);

// A button whose mouse handler the benchmark calls straight, without the toolkit's dispatch,
// and that counts the redraws that drew.
class MoveProbe : public Button
{
public:
    using Button::Button;
    using Button::mouseMoveEvent;
    int redrawCount() const { return m_redraws; }

protected:
    void paintStyle(ButtonPainter &painter, ButtonLook look) override
    {
        ++m_redraws;
        Button::paintStyle(painter, look);
    }

private:
    int m_redraws = 0;
};

// A move with the left button held inside a pressed button: the look does not change, so the
// control's handling must cost next to nothing beside a full redraw (its floor here, the other
// way round).
void ButtonMouseMove(benchmark::State &state)
{
    auto button = makeButton<MoveProbe>(int(state.range(0)), 75, 23);
    button->Redraw(Button::StateDown, VbTrue);
    const int redrawsBefore = button->redrawCount();
    QMouseEvent move(QEvent::MouseMove, QPointF(10, 10), QPointF(10, 10), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    for (auto _ : state)
        button->mouseMoveEvent(&move);
    if (button->redrawCount() != redrawsBefore)
        state.SkipWithError("a move that keeps the look redrew the button");
    state.counters["target_ratio"] = 0.01;
}
BENCHMARK(ButtonMouseMove)->DenseRange(1, 7)->Unit(benchmark::kMicrosecond);

// The same move delivered through the toolkit's event dispatch, as a window delivers it; the
// dispatch alone costs more than the control's handling, so this row has no target.
void ButtonMouseMoveDispatched(benchmark::State &state)
{
    auto button = makeButton(int(state.range(0)), 75, 23);
    button->Redraw(Button::StateDown, VbTrue);
    QMouseEvent move(QEvent::MouseMove, QPointF(10, 10), QPointF(10, 10), Qt::NoButton,
                     Qt::LeftButton, Qt::NoModifier);
    for (auto _ : state)
        QCoreApplication::sendEvent(button.get(), &move);
}
BENCHMARK(ButtonMouseMoveDispatched)->DenseRange(1, 7)->Unit(benchmark::kMicrosecond);

void ButtonMouseMoveFloor(benchmark::State &state)
{
    auto button = makeButton(int(state.range(0)), 75, 23);
    for (auto _ : state)
        button->Redraw(Button::StateDown, VbTrue);
}
BENCHMARK(ButtonMouseMoveFloor)->DenseRange(1, 7)->Unit(benchmark::kMicrosecond);

// The banner at the sizes of both windows and of a new instance, in twips.
void BannerDraw(benchmark::State &state)
{
    const int widthTwips = int(state.range(0));
    const int heightTwips = int(state.range(1));
    csLogo banner;
    banner.setAttribute(Qt::WA_DontShowOnScreen);
    banner.InitProperties();
    banner.setCaption(QStringLiteral("Orvalin Beta1"));
    banner.setFontAutoSize(state.range(2) ? VbTrue : VbFalse);
    banner.resize(widthTwips / banner.twipsPerPixelY(), heightTwips / banner.twipsPerPixelY());
    banner.show();
    for (auto _ : state)
        banner.Draw();
    state.counters["target_ns"] = 2e6;
}

void BannerDrawFloor(benchmark::State &state)
{
    Surface surface;
    surface.resize(int(state.range(0)) / 15, int(state.range(1)) / 15);
    for (auto _ : state) {
        surface.fillRect({0, 0, surface.width(), surface.height()}, 0x000000FF);
        benchmark::DoNotOptimize(surface.image().constBits());
    }
}

void bannerArguments(benchmark::internal::Benchmark *b)
{
    for (const auto &[w, h] : {std::pair{375, 4350}, std::pair{375, 4470}, std::pair{645, 4545}})
        for (int autosize : {0, 1})
            b->Args({w, h, autosize});
}
BENCHMARK(BannerDraw)->Apply(bannerArguments)->Unit(benchmark::kMicrosecond);
BENCHMARK(BannerDrawFloor)->Apply(bannerArguments)->Unit(benchmark::kMicrosecond);

} // namespace
