#pragma once

// A window is declared as data: one WindowDeclaration and a list of Controls, kept in one table
// beside the window's class. WindowBuilder turns the table into widgets; the window class then
// connects behaviour per control with explicit connect() calls.
//
// Write tables with designated initialisers, naming only what differs from the defaults:
//
//   {.name = u"进入答题"_s, .kind = Kind::PictureButton, .rect = {480, 344, 72, 32},
//    .parent = u"高级选择夹1"_s, .page = 3, .text = u"进入答题"_s,
//    .look = {.style = ButtonStyle::Raised, .normal = {.background = QColor(255, 128, 0)}}}
//
// Regular groups (a card of number buttons, the lines of a grid) are produced by a loop that
// appends Controls to the list, not written out one by one.

#include <QColor>
#include <QFlags>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace ui {

// The control kinds a declaration may name, and the widget class each becomes.
enum class Kind {
    PushButton,       // QPushButton
    PictureButton,    // ui::PictureButton (owner-drawn; see ButtonLook)
    TransparentLabel, // ui::TransparentLabel: text on the container's background
    Label,            // QLabel with its own background colour
    PictureBox,       // ui::PictureBox: picture at natural size or stretched; may hold controls
    ShapeBox,         // ui::ShapeBox: rectangle filled with `background`, outlined in `foreground`
    MarkBox,          // ui::MarkBox: tick, cross or nothing, stretched over a white box
    GroupBox,         // QGroupBox; may hold controls
    LineEdit,         // QLineEdit
    TextEdit,         // QPlainTextEdit (multi-line; `scrollBar` gives it a vertical scroll bar)
    RadioButton,      // QRadioButton
    CheckBox,         // QCheckBox
    ComboBox,         // QComboBox as a drop-down list without typing; `items` fill it
    VScrollBar,       // QScrollBar, vertical; `range` sets it up
    SplitterLine,     // QFrame: a fixed line in `foreground` (default silver)
    TabControl,       // ui::TabControl; pages are `items`, page contents give `page`
    ListView,         // QTreeWidget in report view: `widths` per column, `rows` of cells
    Tree,             // QTreeWidget with lines and expand buttons; the window fills it
    StatusBar,        // ui::StatusBar: fixed panels of `widths`, texts from `items`
    HtmlViewer,       // ui::HtmlViewer: browser created on first navigate()
};

// The six border kinds of the platform.
enum class Border { None, Sunken, Raised, ShallowSunken, Frame, SingleLine };

// A font as windows give it: a character height in pixels and a face.
struct Font {
    int pixels = 0; // character height in pixels; 0 = the default GUI font (application font)
    QString face{}; // empty = the platform's default face for Chinese text
    bool bold = false;
};

// Picture buttons.
enum class ButtonStyle {
    Flat,     // no edge, no frame
    Raised,   // 3-D edges, sunken while pressed
    HotFrame, // flat; a thin frame shows while the mouse is over it
};
enum class PicturePlace { Left, Above }; // the picture's place relative to the caption
struct ButtonColours {
    std::optional<QColor> text{};       // unset = the system button text colour
    std::optional<QColor> background{}; // unset = the system button face
};
struct ButtonLook {
    ButtonStyle style = ButtonStyle::Raised;
    PicturePlace place = PicturePlace::Left;
    ButtonColours normal{};    // neither hot nor focused
    ButtonColours hot{};       // mouse over it or pressed; unset parts fall back to `normal`
    ButtonColours focused{};   // has keyboard focus; unset parts fall back to `normal`
    QString disabledPicture{}; // shown while disabled; empty = the picture greyed
    bool focusRect = true;     // draw the dotted focus frame when focused from the keyboard
};

// A tab control's strip of captions.
enum class TabStrip { Top, Bottom, Hidden };

// A vertical scroll bar's settings.
struct ScrollRange {
    int minimum = 0;
    int maximum = 100;
    int page = 10;
    int line = 1;
    int position = 0;
};

// One control of a window.
struct Control {
    QString name{}; // the Qt objectName, exactly as declared
    Kind kind = Kind::PushButton;
    QRect rect{};     // design rectangle, relative to the parent's top-left
    QString parent{}; // container's name; empty = the window's client area
    int page = -1;    // page index when the parent is a TabControl
    QString text{};   // caption or initial text
    Font font{};
    std::optional<QColor> foreground{}; // text or line colour; unset = system colour
    std::optional<QColor> background{}; // unset = system button face (transparent kinds: none)
    QString picture{};                  // resource path, e.g. ":/pictures/splash.jpg"
    QString accessibleName{};           // what a screen reader says for words drawn in the picture
    bool stretch = false;               // picture boxes: stretch the picture over the box
    bool transparentCorner = false;     // the picture's top-left pixel colour is drawn transparent
    Border border = Border::None;
    Qt::Alignment align = Qt::AlignLeft; // horizontal; single lines are centred vertically
    bool wordWrap = false;               // labels: wrap, from the top
    bool tabStop = true;
    bool readOnly = false;           // edit boxes
    bool scrollBar = false;          // multi-line edit boxes: vertical scroll bar
    bool hideSelection = false;      // edit boxes: selection hidden while unfocused
    ButtonLook look{};               // picture buttons
    QStringList items{};             // tab captions, combo entries, status panel texts
    std::vector<int> widths{};       // list view columns, status bar panels
    std::vector<QStringList> rows{}; // list view rows, one cell per column
    int rowHeight = 0;               // list view; 0 = the style's height
    bool header = false;             // list view: show the column header row
    TabStrip strip = TabStrip::Top;  // tab controls
    int stripHeight = 20;            // tab controls: height of the caption strip
    Font stripFont{};                // tab controls: the captions' font
    ScrollRange range{};             // vertical scroll bars
    int textSize = 2;                // HTML viewers: 0 (smallest) … 4 (largest)
};

using Declaration = std::vector<Control>;

enum class Frame { Fixed, Sizable };

// The window itself. Its size is the outer size, frame and title bar included.
struct WindowDeclaration {
    QString title{};
    QSize outerSize{};
    Frame frame = Frame::Fixed;
    bool minimizeButton = false;
    bool maximizeButton = false;
    bool taskbar = true;                // false: a dialog of its parent, no taskbar entry
    bool maximized = false;             // opens maximized, otherwise centred on the screen
    QSize minimumSize{};                // sizable frames: the smallest client size their layout holds
    bool scrollsWhenCut = false;        // sizable frames: the client scrolls where the screen cuts it
    std::optional<QColor> background{}; // unset = system button face
    QString backgroundPicture{};        // stretched over the whole client area
};

// Frame metrics of a normal frame: a 950 × 655 window has a 944 × 627 client area.
inline constexpr int kFrameBorder = 3;
inline constexpr int kTitleBarHeight = 22;

// The smallest client area the resizable working windows lay themselves out in without overlap or
// cut: a 1366 × 768 laptop at 125–133 % gives about 1024 × 576 logical pixels; the width never
// goes below the design's.
inline constexpr QSize kSmallestLayout{944, 576};

inline QSize clientSize(const WindowDeclaration& window) {
    return window.outerSize - QSize(2 * kFrameBorder, 2 * kFrameBorder + kTitleBarHeight);
}

} // namespace ui
