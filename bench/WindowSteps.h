#pragma once

// Times the window's steps on a list of n addresses: Ctrl+A, Delete, Ctrl+Z, Ctrl+C.
void benchWindowSteps(int n);
// The address check of a mailing of n addresses, one in ten named and left
// out: how long, and the window thread's worst stall meanwhile.
void benchMailing(int n);
// Times a find step through four fields of 50 MB.
void benchLongFind();
