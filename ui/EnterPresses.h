#pragma once

namespace ui {

// From now on Enter presses the button that has the focus, as Space does, in every window of the
// application but dialogs, which give Enter to their focused push button or their default button
// themselves. Only a focused button is pressed: fields, lists, the viewer and the chooser keep
// their own Enter. Calling it again changes nothing.
void pressFocusedButtonsOnEnter();

} // namespace ui
