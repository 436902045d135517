#pragma once

// Times the window's steps on a list of n addresses: Ctrl+A, Delete, Ctrl+Z, Ctrl+C.
void benchWindowSteps(int n);
// Times a find step through four fields of 50 MB.
void benchLongFind();
