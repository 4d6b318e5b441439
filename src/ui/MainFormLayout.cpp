#include "ui/MainFormLayout.h"

#include "app/AppContext.h"
#include "screen/ScreenFont.h"
#include "session/axItem.h"
#include "session/axZEK.h"
#include "ui/LayoutMath.h"
#include "ui/SessionTabs.h"
#include "ui/ToolbarRow.h"
#include "ui/WebPane.h"

#include <QEvent>
#include <QPushButton>
#include <QWidget>
#include <utility>

namespace {

QRect toPixels(const layout::Rect& r) {
    return QRect(layout::toPixels(r.left), layout::toPixels(r.top), std::max(0, layout::toPixels(r.width)),
                 std::max(0, layout::toPixels(r.height)));
}

}  // namespace

MainFormLayout::MainFormLayout(QWidget& window, AppContext& context, ToolbarRow& row, axItem& strip,
                               SessionTabs& tabs)
    : QObject(&window), window_(window), context_(context), row_(row), strip_(strip), tabs_(tabs) {
    label1Font_.setFamily(QStringLiteral("細明體"));
    window_.setMinimumSize(layout::toPixels(layout::kMinWidth), layout::toPixels(layout::kMinHeight));
    window_.installEventFilter(this);
    connect(&tabs_, &SessionTabs::LayoutRequested, this, &MainFormLayout::resizeStep);
}

int MainFormLayout::windowWidthTwips() const { return layout::toTwips(window_.frameGeometry().width()); }
int MainFormLayout::windowHeightTwips() const { return layout::toTwips(window_.frameGeometry().height()); }

bool MainFormLayout::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &window_ && event->type() == QEvent::Resize) resizeStep();
    return QObject::eventFilter(watched, event);
}

void MainFormLayout::resizeStep() {
    if (inResize_) return;  // resizing below re-enters through the resize event
    inResize_ = true;
    const layout::Size now{windowWidthTwips(), windowHeightTwips()};
    const layout::Size snapped = layout::snapToMinimum(now);
    if (snapped != now && !window_.isMaximized() && !window_.isFullScreen()) {
        // The frame is outside our control; only the inner size is set.
        const QSize frame = window_.frameGeometry().size() - window_.size();
        window_.resize(layout::toPixels(snapped.width) - frame.width(),
                       layout::toPixels(snapped.height) - frame.height());
    }
    ResizeMainForm();
    inResize_ = false;
    if (!laidOut_) {
        laidOut_ = true;
        emit FirstLaidOut();
    }
}

void MainFormLayout::ResizeMainForm() {
    const layout::Size window{windowWidthTwips(), windowHeightTwips()};
    const int T = layout::toTwips(row_.height());
    const int combo = layout::comboWidth(window.width, layout::kLeftMargin + layout::toTwips(row_.comboOffset()),
                                         layout::toTwips(row_.CmdGo->width()));
    row_.place(layout::toPixels(layout::kLeftMargin), layout::toPixels(layout::kTopMargin),
               combo > 0 ? layout::toPixels(combo) : -1);

    const int current = tabs_.currentTab();
    const bool hasTab = current >= 1 && current <= tabs_.tabCount();
    const layout::MainLayout L =
        layout::computeMainLayout(window, T, layout::toTwips(strip_.height()), hasTab);
    if (L.stripVisible) {
        strip_.setGeometry(toPixels(L.strip));
        strip_.show();
    } else {
        strip_.hide();
    }
    if (WebPane* wb = tabs_.WB()) wb->setGeometry(toPixels(L.startPage));
    if (!hasTab) return;

    const TabRecord& record = tabs_.table().record(current);
    if (record.kind == TabTable::kSessionKind) {
        axZEK* session = tabs_.session(record.slot);
        if (!session) return;
        const int autoSize = layout::fitFontSize(
            layout::autoFontSize(window.width, window.height), L.session.width, L.session.height,
            [this](int points) {
                const int h = layout::toTwips(ScreenFont::sampleHeight(ScreenFont::make(label1Font_.family(), points)));
                return std::pair<int, int>{80 * (h / 2), 24 * h};
            });
        label1Font_.setPointSize(autoSize);
        const int size = context_.settings.switch_of_auto_resize_bbs ? autoSize : bbsFontSize_;
        // Setting the same font again would only redraw the whole screen.
        const QString applied = label1Font_.family() + QLatin1Char('/') + QString::number(size);
        if (session->property("zekFont").toString() != applied) {
            session->setProperty("zekFont", applied);
            session->SetFont(label1Font_.family(), static_cast<float>(size));
        }
        session->setGeometry(toPixels(L.session));
    } else if (WebPane* page = tabs_.webPage(record.slot)) {
        page->setGeometry(toPixels(L.webPage));
    }
}
