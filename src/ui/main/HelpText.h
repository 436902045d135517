#pragma once

#include <QImage>
#include <QLabel>
#include <QSize>

// The short help, drawn once onto a dark surface of the given size.
QImage drawHelpText(QSize size, qreal ratio = 1);

// The same text, a line each, for a screen reader.
QString helpText();

// Where the short help is shown: its drawing for the eye, its text, line by
// line, for a screen reader, which reads it as text and not as a picture.
class HelpSurface : public QLabel {
    Q_OBJECT
public:
    explicit HelpSurface(QWidget* parent);
};
