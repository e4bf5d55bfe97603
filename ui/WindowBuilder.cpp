#include "ui/WindowBuilder.h"

#include "common/Outcome.h"
#include "ui/EnterPresses.h"
#include "ui/Fonts.h"
#include "ui/HtmlViewer.h"
#include "ui/Keys.h"
#include "ui/PictureBox.h"
#include "ui/PictureButton.h"
#include "ui/Pictures.h"
#include "ui/ScreenFit.h"
#include "ui/StatusBar.h"
#include "ui/TabControl.h"
#include "ui/TransparentLabel.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QShortcut>
#include <QTreeWidget>

#include <array>
#include <utility>

namespace ui {
namespace {

// Paints a window's background picture stretched over its client area; the picture is decoded
// when first painted, so the window is built while it still decodes on another thread.
class WindowBackground final : public QObject {
public:
    WindowBackground(QWidget* window, const QString& picture) : QObject(window), m_pictureFile(picture) {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            auto* window = static_cast<QWidget*>(watched);
            // Filtered while drawn, like a stretched picture box, instead of keeping a scaled copy.
            if (!m_pictureFile.isEmpty()) m_picture = loadPicture(std::exchange(m_pictureFile, {}));
            QPainter painter(window);
            painter.setRenderHint(QPainter::SmoothPixmapTransform);
            painter.drawImage(window->rect(), m_picture);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QString m_pictureFile; // not yet decoded
    QImage m_picture;
};

// A fixed frame is never maximized, whatever the window manager offers.
class FixedFrame final : public QObject {
public:
    explicit FixedFrame(QWidget* window) : QObject(window) { window->installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* window = static_cast<QWidget*>(watched);
        const Qt::WindowStates grown = Qt::WindowMaximized | Qt::WindowFullScreen;
        if (event->type() == QEvent::WindowStateChange && (window->windowState() & grown))
            window->setWindowState(window->windowState() & ~grown);
        return QObject::eventFilter(watched, event);
    }
};

// The default colour of the declarations: the platform's button face.
QColor buttonFace() {
    return QApplication::palette().color(QPalette::Button);
}

void setColour(QWidget* widget, QPalette::ColorRole role, const std::optional<QColor>& colour) {
    if (!colour) return;
    QPalette palette = widget->palette();
    palette.setColor(role, *colour);
    widget->setPalette(palette);
}

void setBackground(QWidget* widget, QPalette::ColorRole role, const std::optional<QColor>& colour) {
    if (!colour) return;
    setColour(widget, role, colour);
    widget->setAutoFillBackground(true);
}

// The frame of each border kind, in the order of Border; a line width of 0 leaves the widget's own.
struct FrameLook {
    int style;
    int lineWidth;
};
constexpr std::array<FrameLook, 6> kFrameLooks{{
    {QFrame::NoFrame, 0},
    {QFrame::Panel | QFrame::Sunken, 2},
    {QFrame::Panel | QFrame::Raised, 2},
    {QFrame::Panel | QFrame::Sunken, 1},
    {QFrame::Box | QFrame::Sunken, 1},
    {QFrame::Box | QFrame::Plain, 1},
}};
static_assert(kFrameLooks.size() == static_cast<std::size_t>(Border::SingleLine) + 1);

void applyFrame(QFrame* frame, Border border) {
    const FrameLook& look = kFrameLooks[static_cast<std::size_t>(border)];
    frame->setFrameStyle(look.style);
    if (look.lineWidth > 0) frame->setLineWidth(look.lineWidth);
}

QWidget* makePictureButton(const Control& c, QWidget* parent) {
    auto* button = new PictureButton(parent);
    button->setText(c.text);
    button->setLook(c.look);
    button->setPicture(loadPicture(c.picture), c.transparentCorner);
    if (!c.look.disabledPicture.isEmpty())
        button->setDisabledPicture(loadPicture(c.look.disabledPicture), c.transparentCorner);
    return button;
}

QWidget* makePictureBox(const Control& c, PictureBox* box) {
    box->setPictureFile(c.picture);
    box->setStretched(c.stretch || c.kind == Kind::MarkBox);
    if (c.background) box->setBackground(c.background);
    box->setBorder(c.border);
    return box;
}

QWidget* makeLabel(const Control& c, QWidget* parent) {
    if (c.kind == Kind::TransparentLabel) {
        auto* label = new TransparentLabel(parent);
        label->setText(c.text);
        label->setWrapping(c.wordWrap);
        label->setHorizontalAlignment(c.align);
        return label;
    }
    auto* label = new QLabel(c.text, parent);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(c.wordWrap);
    label->setAlignment((c.align & Qt::AlignHorizontal_Mask) |
                        (c.wordWrap ? Qt::AlignTop : Qt::AlignVCenter));
    applyFrame(label, c.border);
    label->setAutoFillBackground(true);
    return label;
}

QWidget* makeEdit(const Control& c, QWidget* parent) {
    if (c.kind == Kind::LineEdit) {
        auto* edit = new QLineEdit(c.text, parent);
        edit->setReadOnly(c.readOnly);
        edit->setFrame(c.border != Border::None);
        return edit;
    }
    auto* edit = new QPlainTextEdit(c.text, parent);
    edit->setReadOnly(c.readOnly);
    edit->setVerticalScrollBarPolicy(c.scrollBar ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff);
    applyFrame(edit, c.border);
    if (c.hideSelection) {
        // An unfocused edit box shows no selection: the inactive highlight is the base colour.
        QPalette palette = edit->palette();
        palette.setColor(QPalette::Inactive, QPalette::Highlight, palette.color(QPalette::Base));
        palette.setColor(QPalette::Inactive, QPalette::HighlightedText, palette.color(QPalette::Text));
        edit->setPalette(palette);
    }
    return edit;
}

QWidget* makeListView(const Control& c, QWidget* parent) {
    auto* list = new QTreeWidget(parent);
    list->setRootIsDecorated(false);
    list->setItemsExpandable(false);
    list->setUniformRowHeights(true);
    list->setHeaderHidden(!c.header);
    list->setSelectionMode(QAbstractItemView::SingleSelection);
    list->setSelectionBehavior(QAbstractItemView::SelectRows);
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setColumnCount(static_cast<int>(c.widths.size()));
    list->header()->setStretchLastSection(false);
    for (size_t i = 0; i < c.widths.size(); ++i)
        list->setColumnWidth(static_cast<int>(i), c.widths[i]);
    for (const QStringList& row : c.rows) {
        auto* item = new QTreeWidgetItem(list, row);
        if (c.rowHeight > 0) item->setSizeHint(0, QSize(c.widths.empty() ? 0 : c.widths[0], c.rowHeight));
    }
    applyFrame(list, c.border);
    return list;
}

QWidget* makeTree(const Control& c, QWidget* parent) {
    auto* tree = new QTreeWidget(parent);
    tree->setHeaderHidden(true);
    tree->setColumnCount(1);
    tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    applyFrame(tree, c.border);
    return tree;
}

QWidget* makeScrollBar(const Control& c, QWidget* parent) {
    auto* bar = new QScrollBar(Qt::Vertical, parent);
    bar->setRange(c.range.minimum, c.range.maximum);
    bar->setPageStep(c.range.page);
    bar->setSingleStep(c.range.line);
    bar->setValue(c.range.position);
    bar->setTracking(true);
    return bar;
}

QWidget* makeTabControl(const Control& c, QWidget* parent) {
    auto* tabs = new TabControl(parent);
    tabs->setPages(c.items, c.strip, c.stripHeight);
    tabs->tabBar()->setFont(fontFor(c.stripFont));
    for (int i = 0; i < tabs->count(); ++i)
        setColour(tabs->page(i), QPalette::Window, c.background);
    return tabs;
}

QWidget* create(const Control& c, QWidget* parent) {
    switch (c.kind) {
    case Kind::PushButton:
        return new QPushButton(c.text, parent);
    case Kind::PictureButton:
        return makePictureButton(c, parent);
    case Kind::TransparentLabel:
    case Kind::Label:
        return makeLabel(c, parent);
    case Kind::PictureBox:
        return makePictureBox(c, new PictureBox(parent));
    case Kind::MarkBox:
        return makePictureBox(c, new MarkBox(parent));
    case Kind::ShapeBox: {
        auto* shape = new ShapeBox(parent);
        shape->setFill(c.background.value_or(parent->palette().color(QPalette::Button)));
        shape->setOutline(c.foreground.value_or(QColor(Qt::black)));
        return shape;
    }
    case Kind::GroupBox:
        return new QGroupBox(c.text, parent);
    case Kind::LineEdit:
    case Kind::TextEdit:
        return makeEdit(c, parent);
    case Kind::RadioButton:
        return new QRadioButton(c.text, parent);
    case Kind::CheckBox:
        return new QCheckBox(c.text, parent);
    case Kind::ComboBox: {
        auto* combo = new QComboBox(parent);
        combo->setEditable(false);
        combo->addItems(c.items);
        return combo;
    }
    case Kind::VScrollBar:
        return makeScrollBar(c, parent);
    case Kind::SplitterLine: {
        auto* line = new QFrame(parent);
        line->setFrameStyle(QFrame::Panel | QFrame::Raised);
        line->setLineWidth(1);
        setBackground(line, QPalette::Window, c.foreground.value_or(QColor(192, 192, 192)));
        return line;
    }
    case Kind::TabControl:
        return makeTabControl(c, parent);
    case Kind::ListView:
        return makeListView(c, parent);
    case Kind::Tree:
        return makeTree(c, parent);
    case Kind::StatusBar: {
        auto* bar = new StatusBar(parent);
        bar->setPanels(c.widths);
        for (int i = 0; i < c.items.size(); ++i)
            bar->setPanelText(i, c.items[i]);
        return bar;
    }
    case Kind::HtmlViewer: {
        auto* viewer = new HtmlViewer(parent);
        viewer->setTextSize(c.textSize);
        return viewer;
    }
    }
    return nullptr;
}

// Colours: which palette roles the declared foreground and background set, per kind.
void applyColours(QWidget* w, const Control& c) {
    switch (c.kind) {
    case Kind::PictureButton:
    case Kind::PictureBox:
    case Kind::MarkBox:
    case Kind::ShapeBox:
    case Kind::SplitterLine:
    case Kind::TabControl:
        return; // set by the control itself from the declaration
    case Kind::TransparentLabel:
        setColour(w, QPalette::WindowText, c.foreground);
        return;
    case Kind::Label: // its own background: the default colour unless another is declared
        setColour(w, QPalette::WindowText, c.foreground);
        setBackground(w, QPalette::Window, c.background.value_or(buttonFace()));
        return;
    case Kind::LineEdit:
    case Kind::TextEdit:
    case Kind::ListView:
    case Kind::Tree:
    case Kind::ComboBox:
        setColour(w, QPalette::Text, c.foreground);
        setColour(w, QPalette::Base, c.background);
        return;
    case Kind::PushButton:
        setColour(w, QPalette::ButtonText, c.foreground);
        setColour(w, QPalette::Button, c.background);
        return;
    default: // buttons fill with the Button role, other widgets with Window
        setColour(w, QPalette::WindowText, c.foreground);
        setBackground(w, w->backgroundRole(), c.background);
        return;
    }
}

void applyFocus(QWidget* w, const Control& c) {
    if (w->focusPolicy() == Qt::NoFocus) return;
    switch (c.kind) {
    case Kind::PictureBox:
    case Kind::MarkBox:
    case Kind::ShapeBox:
    case Kind::TransparentLabel:
    case Kind::Label:
    case Kind::GroupBox:
    case Kind::SplitterLine:
    case Kind::StatusBar:
        w->setFocusPolicy(Qt::NoFocus);
        return;
    default:
        w->setFocusPolicy(c.tabStop ? Qt::StrongFocus : Qt::ClickFocus);
        return;
    }
}

// Where a control goes: its declared container (a page for tab-control contents).
common::Outcome<QWidget*> resolveParent(const Control& c, QWidget* container, const Built& built) {
    if (c.parent.isEmpty()) return container;
    QWidget* parent = built.widget(c.parent);
    if (!parent) parent = container->findChild<QWidget*>(c.parent);
    if (!parent) return common::Failure{QStringLiteral("%1: unknown parent %2").arg(c.name, c.parent)};
    auto* tabs = qobject_cast<TabControl*>(parent);
    if (!tabs) return parent;
    QWidget* page = tabs->page(c.page);
    if (!page)
        return common::Failure{QStringLiteral("%1: %2 has no page %3").arg(c.name, c.parent).arg(c.page)};
    return page;
}

// A popup (list, menu, completer) never becomes the active window, so a window's Esc shortcut
// would also fire while one is open: one Esc would close the list and the window. The key is
// offered to the focus first (a shortcut override); while a popup is open, the override is taken
// for it, so the key goes to the popup alone, which closes itself.
class PopupTakesEscape final : public QObject {
public:
    static void install() {
        static QPointer<PopupTakesEscape> filter;
        if (filter) return;
        filter = new PopupTakesEscape(qApp);
        qApp->installEventFilter(filter);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::ShortcutOverride && QApplication::activePopupWidget() &&
            static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape)
            event->accept();
        return QObject::eventFilter(watched, event);
    }

private:
    using QObject::QObject;
};

} // namespace

void Built::add(const QString& name, QWidget* widget) {
    m_byName.insert(name, widget);
    m_inOrder.append(widget);
}

const Control* findDeclared(std::span<const Control> controls, const QString& name) {
    for (const Control& c : controls)
        if (c.name == name) return &c;
    return nullptr;
}

Built buildControls(QWidget* container, std::span<const Control> controls) {
    Built built;
    for (const Control& c : controls) {
        if (built.widget(c.name)) built.addError(QStringLiteral("%1: declared twice").arg(c.name));
        const common::Outcome<QWidget*> resolved = resolveParent(c, container, built);
        if (!resolved) {
            built.addError(resolved.reason());
            continue;
        }
        QWidget* parent = *resolved;
        QWidget* w = create(c, parent);
        w->setObjectName(c.name);
        w->setFont(fontFor(c.font));
        applyColours(w, c);
        applyFocus(w, c);
        w->setGeometry(c.rect);
        if (!c.accessibleName.isEmpty()) w->setAccessibleName(c.accessibleName);
        built.add(c.name, w);
    }
    // The first declared control is on top, and Tab walks the controls in declaration order.
    const QList<QWidget*>& made = built.controls();
    for (auto it = made.crbegin(); it != made.crend(); ++it)
        (*it)->raise();
    chainTabOrder(built);
    return built;
}

void chainTabOrder(const Built& built) {
    QWidget* previous = nullptr;
    for (QWidget* w : built.controls()) {
        if (!(w->focusPolicy() & Qt::TabFocus)) continue;
        if (previous) QWidget::setTabOrder(previous, w);
        previous = w;
    }
}

Built buildWindow(QWidget* window, const WindowDeclaration& declaration, std::span<const Control> controls) {
    Qt::WindowFlags flags = (declaration.taskbar ? Qt::Window : Qt::Dialog) | Qt::CustomizeWindowHint |
                            Qt::WindowTitleHint | Qt::WindowCloseButtonHint;
    if (declaration.minimizeButton) flags |= Qt::WindowMinimizeButtonHint;
    if (declaration.maximizeButton) flags |= Qt::WindowMaximizeButtonHint;
    window->setWindowFlags(flags);
    window->setWindowTitle(declaration.title);
    const QSize client = clientSize(declaration);
    if (declaration.frame == Frame::Fixed) {
        window->setFixedSize(client);
        new FixedFrame(window);
    } else {
        if (declaration.minimumSize.isValid()) window->setMinimumSize(declaration.minimumSize);
        window->resize(client);
    }
    setBackground(window, QPalette::Window, declaration.background);
    if (!declaration.backgroundPicture.isEmpty()) new WindowBackground(window, declaration.backgroundPicture);
    auto* escape = new QShortcut(keys::kClose, window);
    escape->setContext(Qt::WindowShortcut);
    QObject::connect(escape, &QShortcut::activated, window, &QWidget::close);
    PopupTakesEscape::install();
    pressFocusedButtonsOnEnter();
    return buildControls(window, controls);
}

QWidget* placeTabStopsAfter(QWidget* previous, QWidget* container) {
    QList<QWidget*> stops;
    for (QWidget* w = container->nextInFocusChain(); w != container; w = w->nextInFocusChain())
        if (container->isAncestorOf(w) && (w->focusPolicy() & Qt::TabFocus)) stops << w;
    for (QWidget* stop : stops) {
        QWidget::setTabOrder(previous, stop);
        previous = stop;
    }
    return previous;
}

QStringList declaredPictures(const WindowDeclaration& declaration, std::span<const Control> controls) {
    QStringList pictures{declaration.backgroundPicture};
    for (const Control& c : controls)
        pictures << c.picture << c.look.disabledPicture;
    pictures.removeAll(QString());
    pictures.removeDuplicates();
    return pictures;
}

void showDeclared(QWidget* window, const WindowDeclaration& declaration) {
    fitToScreen(window, declaration);
    if (declaration.maximized) {
        window->showMaximized();
        return;
    }
    QScreen* screen = window->screen();
    if (screen) {
        const QRect available = screen->availableGeometry();
        const QSize outer = window->size() + (declaration.outerSize - clientSize(declaration));
        window->move(available.x() + (available.width() - outer.width()) / 2,
                     available.y() + (available.height() - outer.height()) / 2);
    }
    window->show();
}

} // namespace ui
