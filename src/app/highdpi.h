#pragma once

// Makes the window scale with the screen's density. The form is laid out in
// fixed pixels (1100 x 680); without scaling it shrinks on a dense screen and
// point-sized fonts outgrow their boxes. Call before the application object
// exists.
void enableHighDpiScaling();
