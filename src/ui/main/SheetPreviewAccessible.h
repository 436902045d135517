#pragma once

class SheetPreview;

// The sheet preview as a screen reader meets it: 21 children "Etiket 1" to
// "Etiket 21", each pressable, the keyboard's cell the focused one.
void installSheetPreviewAccessibility();
// Tells a screen reader which cell the keyboard stands on now.
void announceKeyCell(SheetPreview* preview);
