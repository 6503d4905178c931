#include "app/MainView.h"

#include "app/FocusRing.h"
#include "app/TabOrder.h"
#include "app/ViewLayout.h"
#include "controls/PageButton.h"
#include "model/Fields.h"
#include "model/ValueTexts.h"
#include "pages/EffectPage.h"
#include "pages/MicrophonePage.h"
#include "pages/MusicPage.h"
#include "pages/SystemPage.h"

#include <QKeySequence>
#include <QPainter>
#include <QPushButton>
#include <QShortcut>

namespace tonel {

PageSet makeStandardPages(PageContext context, QWidget* parent)
{
    return {new EffectPage(context, parent), new MicrophonePage(context, parent), new MusicPage(context, parent),
            new SystemPage(context, parent)};
}

MainView::MainView(ViewContext context, QWidget* parent)
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

MainView::~MainView()
{
    context_.portListener.setTarget(nullptr);
    context_.timers.setExpiryHandler(nullptr);
    context_.timers.cancelAll();
    session_.onWindowDestroyed();
    // The pages use the session; they go before it does.
    for (Page*& page : pages_) {
        delete page;
        page = nullptr;
    }
}

void MainView::createButtons()
{
    for (const view::ButtonSpec& spec : view::kCommandButtons) {
        auto* button = new QPushButton(QString::fromUtf8(spec.caption), this);
        button->setObjectName(QString::number(spec.id));
        button->setGeometry(spec.rect);
        buttons_[spec.id] = button;
    }
    buttons_[res::view::DisconnectButton]->setEnabled(false);
    for (std::size_t i = 0; i < view::kPageButtons.size(); ++i) {
        const view::ButtonSpec& spec = view::kPageButtons[i];
        auto* button = new PageButton(QString::fromUtf8(spec.caption), this);
        button->setObjectName(QString::number(spec.id));
        button->setGeometry(spec.rect);
        buttons_[spec.id] = button;
        pageButtons_[i] = button;
    }
    markPageButtons(0);
}

void MainView::createPages(const PageFactory& makePages)
{
    pages_ = makePages(PageContext{context_.image, session_}, this);
    for (std::size_t i = 0; i < pages_.size(); ++i) {
        pages_[i]->move(view::kPageOrigin);
        pages_[i]->raise();
        pages_[i]->setVisible(i == 0);
    }
}

void MainView::connectButtons()
{
    connect(button(res::view::OpenFileButton), &QPushButton::clicked, this, [this] { onOpenFile(); });
    connect(button(res::view::SaveFileButton), &QPushButton::clicked, this, [this] { onSaveFile(); });
    connect(button(res::view::ReadButton), &QPushButton::clicked, this, [this] { session_.onReadButton(); });
    connect(button(res::view::WriteButton), &QPushButton::clicked, this, [this] { onWriteButton(); });
    connect(button(res::view::ModeButton), &QPushButton::clicked, this, [this] { session_.onModeButton(); });
    connect(button(res::view::DisconnectButton), &QPushButton::clicked, this, [this] { session_.onDisconnectButton(); });
    for (int i = 0; i < kPageCount; ++i)
        connect(pageButtons_[i], &QPushButton::clicked, this, [this, i] { showPage(i); });
}

// The standard keys do what the buttons do, and nothing while the button is disabled.
void MainView::createShortcuts()
{
    const auto add = [this](const QKeySequence& keys, auto action) {
        connect(new QShortcut(keys, this), &QShortcut::activated, this, action);
    };
    // Spelled out: some key schemes (Windows-like ones) bind no key to quitting.
    add(QKeySequence(Qt::CTRL | Qt::Key_O), [this] { pressButton(res::view::OpenFileButton); });
    add(QKeySequence(Qt::CTRL | Qt::Key_S), [this] { pressButton(res::view::SaveFileButton); });
    add(QKeySequence(Qt::CTRL | Qt::Key_Q), [this] { window()->close(); });
    for (int i = 0; i < kPageCount; ++i) {
        const int id = view::kPageButtons[i].id;
        add(QKeySequence(Qt::Key_F1 + i), [this, id] { pressButton(id); });
        add(QKeySequence(Qt::CTRL | (Qt::Key_1 + i)), [this, id] { pressButton(id); });
    }
}

// The focus moves to the button first, as under a mouse click, so a typed frequency is applied.
void MainView::pressButton(int id)
{
    QPushButton* b = button(id);
    if (!b->isEnabled())
        return;
    b->setFocus(Qt::ShortcutFocusReason);
    b->click();
}

// Buttons row by row, then each page's controls group by group.
void MainView::setTabOrder()
{
    std::vector<QWidget*> chain;
    for (const view::ButtonSpec& spec : view::kCommandButtons)
        chain.push_back(button(spec.id));
    for (const view::ButtonSpec& spec : view::kPageButtons)
        chain.push_back(button(spec.id));
    for (Page* page : pages_) {
        const std::vector<QWidget*> controls = readingOrder(page);
        chain.insert(chain.end(), controls.begin(), controls.end());
    }
    for (std::size_t i = 1; i < chain.size(); ++i)
        QWidget::setTabOrder(chain[i - 1], chain[i]);
}

QPushButton* MainView::button(int id) const
{
    const auto found = buttons_.find(id);
    return found == buttons_.end() ? nullptr : found->second;
}

int MainView::shownPage() const
{
    for (int i = 0; i < kPageCount; ++i) {
        if (!pages_[i]->isHidden())
            return i;
    }
    return -1;
}

// ---- session outcomes after which the device holds what the panel shows ----

void MainView::sessionEvent(const SessionReport& report)
{
    if (report.event == SessionEvent::ImageRead)
        markEditsKept();  // the panel shows what the device holds
    presentSessionEvent(report, *this);
}

void MainView::onWriteButton()
{
    const bool storing = session_.connected();  // connected, the button makes the device store
    session_.onWriteButton();
    if (storing)
        markEditsKept();
}

// ---- pages ----

void MainView::refreshAllPages()
{
    for (Page* page : pages_) {
        page->refreshFromImage();
        page->redrawGraph();
    }
    updateModeCaption();
    for (Page* page : pages_)
        page->applyControlMode();
}

void MainView::updateModeCaption()
{
    // Any value but 0 and 1 (only from a file or the device) has no name and leaves the caption.
    const std::string name = controlModeName(context_.image.get(fields::global::controlMode));
    if (!name.empty())
        button(res::view::ModeButton)->setText(QString::fromStdString(name));
}

void MainView::showPage(int index)
{
    markPageButtons(index);
    Page* chosen = pages_[index];
    if (!chosen->isHidden())
        return;  // already shown: not refreshed
    for (Page* page : pages_)
        page->hide();
    chosen->refreshFromImage();
    chosen->redrawGraph();
    chosen->applyControlMode();
    chosen->show();
}

void MainView::markPageButtons(int index)
{
    for (int i = 0; i < kPageCount; ++i) {
        PageButton* b = pageButtons_[i];
        const bool chosen = i == index;
        b->setHighlight(chosen);
        b->setFaceColor(chosen ? view::kSelectedFace : view::kUnselectedFace);
        b->setCaptionColor(chosen ? view::kSelectedText : view::kUnselectedText);
    }
}

// ---- painting ----

void MainView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), view::kBackground);
    painter.setPen(QPen(view::kFrameLine, 1));
    const auto [top, middle, bottom] = view::kFrameLineYs;
    for (const int y : view::kFrameLineYs)
        painter.drawLine(0, y, view::kSize.width(), y);
    for (const int x : view::kFrameLineXs)
        painter.drawLine(x, top, x, bottom);
    painter.setPen(QPen(view::kDividerLine, 2));
    for (const int x : view::kCommandDividerXs)
        painter.drawLine(x, top, x, middle);
    for (const int x : view::kPageDividerXs)
        painter.drawLine(x, middle, x, bottom);
}

// ---- what the session asks of the window ----

void MainView::enableButton(int id, bool enabled)
{
    if (QPushButton* b = button(id))
        b->setEnabled(enabled);
}

void MainView::armTimer(int id, std::chrono::milliseconds delay) { context_.timers.arm(id, delay); }

void MainView::cancelTimer(int id) { context_.timers.cancel(id); }

void MainView::portFailure(const PortError& error) { presentPortFailure(error, *this); }

void MainView::showMessage(const std::string& text, const std::string& caption, MessageIcon icon)
{
    context_.messages.show(QString::fromStdString(text), QString::fromStdString(caption), icon);
}

}  // namespace tonel
