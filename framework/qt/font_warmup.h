// Reading the font configuration (every conf file, every font cache) takes milliseconds
// that a second thread can spend while the main thread connects to the display.
#pragma once

void StartReadingFontConfiguration();
void WaitForFontConfiguration(); // before the first text is measured; at once if read
