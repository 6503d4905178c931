#include "app/CTonelView.h"

#include "app/FocusRing.h"
#include "app/TabOrder.h"
#include "app/ViewLayout.h"
#include "controls/CNavButton.h"
#include "model/Fields.h"
#include "model/ValueTexts.h"
#include "pages/CEffectPage.h"
#include "pages/CMicPage.h"
#include "pages/CMusicPage.h"
#include "pages/CSystemPage.h"

#include <QKeySequence>
#include <QPainter>
#include <QPushButton>
#include <QShortcut>

namespace tonel {

PageSet makeStandardPages(PageContext context, QWidget* parent)
{
    return {new CEffectPage(context, parent), new CMicPage(context, parent), new CMusicPage(context, parent),
            new CSystemPage(context, parent)};
}

CTonelView::CTonelView(ViewContext context, QWidget* parent)
    : QWidget(parent),
      context_(std::move(context)),
      session_(context_.image, context_.port, context_.catalog, *this, context_.portListener)
{
    setFixedSize(view::kSize);
    setFocusPolicy(Qt::ClickFocus);  // a field gives the focus here to commit its entry
    createButtons();
    context_.image.resetToDefaults();
    createPages(context_.makePages);
    connectButtons();
    createShortcuts();
    setTabOrder();
    new FocusRing(this);
    context_.timers.setExpiryHandler([this](int id) { session_.onTimer(id); });
    context_.portListener.setTarget(&session_);
    refreshAllPages();
    markEditsKept();
}

CTonelView::~CTonelView()
{
    context_.portListener.setTarget(nullptr);
    context_.timers.setExpiryHandler(nullptr);
    context_.timers.cancelAll();
    session_.onWindowDestroyed();
    // The pages use the session; they go before it does.
    for (CPage*& page : pages_) {
        delete page;
        page = nullptr;
    }
}

void CTonelView::createButtons()
{
    for (const view::ButtonSpec& spec : view::kCommandButtons) {
        auto* button = new QPushButton(QString::fromUtf8(spec.caption), this);
        button->setObjectName(QString::number(spec.id));
        button->setGeometry(spec.rect);
        buttons_[spec.id] = button;
    }
    buttons_[button::kDisconnect]->setEnabled(false);
    for (std::size_t i = 0; i < view::kPageButtons.size(); ++i) {
        const view::ButtonSpec& spec = view::kPageButtons[i];
        auto* button = new CNavButton(QString::fromUtf8(spec.caption), this);
        button->setObjectName(QString::number(spec.id));
        button->setGeometry(spec.rect);
        buttons_[spec.id] = button;
        pageButtons_[i] = button;
    }
    markPageButtons(0);
}

void CTonelView::createPages(const PageFactory& makePages)
{
    pages_ = makePages(PageContext{context_.image, session_}, this);
    for (std::size_t i = 0; i < pages_.size(); ++i) {
        pages_[i]->move(view::kPageOrigin);
        pages_[i]->raise();
        pages_[i]->setVisible(i == 0);
    }
}

void CTonelView::connectButtons()
{
    connect(button(button::kOpenFile), &QPushButton::clicked, this, [this] { onOpenFile(); });
    connect(button(button::kSaveFile), &QPushButton::clicked, this, [this] { onSaveFile(); });
    connect(button(button::kRead), &QPushButton::clicked, this, [this] { session_.onReadButton(); });
    connect(button(button::kWrite), &QPushButton::clicked, this, [this] { onWriteButton(); });
    connect(button(button::kMode), &QPushButton::clicked, this, [this] { session_.onModeButton(); });
    connect(button(button::kDisconnect), &QPushButton::clicked, this, [this] { session_.onDisconnectButton(); });
    for (int i = 0; i < kPageCount; ++i)
        connect(pageButtons_[i], &QPushButton::clicked, this, [this, i] { showPage(i); });
}

// The standard keys do what the buttons do, and nothing while the button is disabled.
void CTonelView::createShortcuts()
{
    const auto add = [this](const QKeySequence& keys, auto action) {
        connect(new QShortcut(keys, this), &QShortcut::activated, this, action);
    };
    // Spelled out: some key schemes (Windows-like ones) bind no key to quitting.
    add(QKeySequence(Qt::CTRL | Qt::Key_O), [this] { pressButton(button::kOpenFile); });
    add(QKeySequence(Qt::CTRL | Qt::Key_S), [this] { pressButton(button::kSaveFile); });
    add(QKeySequence(Qt::CTRL | Qt::Key_Q), [this] { window()->close(); });
    for (int i = 0; i < kPageCount; ++i) {
        const int id = view::kPageButtons[i].id;
        add(QKeySequence(Qt::Key_F1 + i), [this, id] { pressButton(id); });
        add(QKeySequence(Qt::CTRL | (Qt::Key_1 + i)), [this, id] { pressButton(id); });
    }
}

// The focus moves to the button first, as under a mouse click, so a typed frequency is applied.
void CTonelView::pressButton(int id)
{
    QPushButton* b = button(id);
    if (!b->isEnabled())
        return;
    b->setFocus(Qt::ShortcutFocusReason);
    b->click();
}

// Buttons row by row, then each page's controls group by group.
void CTonelView::setTabOrder()
{
    std::vector<QWidget*> chain;
    for (const view::ButtonSpec& spec : view::kCommandButtons)
        chain.push_back(button(spec.id));
    for (const view::ButtonSpec& spec : view::kPageButtons)
        chain.push_back(button(spec.id));
    for (CPage* page : pages_) {
        const std::vector<QWidget*> controls = readingOrder(page);
        chain.insert(chain.end(), controls.begin(), controls.end());
    }
    for (std::size_t i = 1; i < chain.size(); ++i)
        QWidget::setTabOrder(chain[i - 1], chain[i]);
}

QPushButton* CTonelView::button(int id) const
{
    const auto found = buttons_.find(id);
    return found == buttons_.end() ? nullptr : found->second;
}

int CTonelView::shownPage() const
{
    for (int i = 0; i < kPageCount; ++i) {
        if (!pages_[i]->isHidden())
            return i;
    }
    return -1;
}

// ---- session outcomes after which the device holds what the panel shows ----

void CTonelView::sessionEvent(const SessionReport& report)
{
    if (report.event == SessionEvent::ImageRead)
        markEditsKept();  // the panel shows what the device holds
    presentSessionEvent(report, *this);
}

void CTonelView::onWriteButton()
{
    const bool storing = session_.connected();  // connected, the button makes the device store
    session_.onWriteButton();
    if (storing)
        markEditsKept();
}

// ---- pages ----

void CTonelView::refreshAllPages()
{
    for (CPage* page : pages_) {
        page->refreshFromImage();
        page->redrawGraph();
    }
    updateModeCaption();
    for (CPage* page : pages_)
        page->applyControlMode();
}

void CTonelView::updateModeCaption()
{
    // Any value but 0 and 1 (only from a file or the device) has no name and leaves the caption.
    const std::string name = controlModeName(context_.image.get(fields::global::controlMode));
    if (!name.empty())
        button(button::kMode)->setText(QString::fromStdString(name));
}

void CTonelView::showPage(int index)
{
    markPageButtons(index);
    CPage* chosen = pages_[index];
    if (!chosen->isHidden())
        return;  // already shown: not refreshed
    for (CPage* page : pages_)
        page->hide();
    chosen->refreshFromImage();
    chosen->redrawGraph();
    chosen->applyControlMode();
    chosen->show();
}

void CTonelView::markPageButtons(int index)
{
    for (int i = 0; i < kPageCount; ++i) {
        CNavButton* b = pageButtons_[i];
        const bool chosen = i == index;
        b->setHighlight(chosen);
        b->SetFaceColor(chosen ? view::kSelectedFace : view::kUnselectedFace);
        b->SetCaptionColor(chosen ? view::kSelectedText : view::kUnselectedText);
    }
}

// ---- painting ----

void CTonelView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), view::kBackground);
    painter.setPen(QPen(view::kFrameLine, 1));
    for (const int y : view::kFrameLineYs)
        painter.drawLine(0, y, view::kSize.width(), y);
    for (const int x : view::kFrameLineXs)
        painter.drawLine(x, 5, x, 85);
    painter.setPen(QPen(view::kDividerLine, 2));
    for (const int x : view::kCommandDividerXs)
        painter.drawLine(x, 5, x, 45);
    for (const int x : view::kPageDividerXs)
        painter.drawLine(x, 45, x, 85);
}

// ---- what the session asks of the window ----

void CTonelView::enableButton(int id, bool enabled)
{
    if (QPushButton* b = button(id))
        b->setEnabled(enabled);
}

void CTonelView::armTimer(int id, std::chrono::milliseconds delay) { context_.timers.arm(id, delay); }

void CTonelView::cancelTimer(int id) { context_.timers.cancel(id); }

void CTonelView::portFailure(const PortError& error) { presentPortFailure(error, *this); }

void CTonelView::showMessage(const std::string& text, const std::string& caption, MessageIcon icon)
{
    context_.messages.show(QString::fromStdString(text), QString::fromStdString(caption), icon);
}

}  // namespace tonel
