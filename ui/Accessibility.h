#pragma once

// What screen readers are told about the painted control kinds. Qt's accessibility describes its
// own widgets; text that a control paints itself, or words inside a picture, are invisible to a
// screen reader unless an interface tells them:
//
//   picture box       a picture (graphic) or, holding controls, a group; named by its declared
//                     accessible name (the words in its picture); a mark box says 答对 or 答错
//   transparent label its text, as static text; a label that acts (see TransparentLabel) is a
//                     button that can be pressed and may be checked
//   status bar        a status bar named by its panels' texts
//   tab control       a layered pane named by the caption of the page in front
//
// Picture buttons are Qt's own buttons (a QAbstractButton): their caption, or a declared
// accessible name for a picture-only button, is what is read.

namespace ui {

// Registers the interfaces with Qt's accessibility, once. The control kinds call it when they are
// made, before any interface of theirs is asked for: Qt keeps the first interface it made for a
// widget.
void installAccessibleInterfaces();

} // namespace ui
