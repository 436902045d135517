#pragma once

#include <QString>
#include <QStringList>

class QWidget;

// A reason ("het bestand ...") as the start of a sentence; an empty one stays empty.
inline QString asSentence(const QString& reason)
{
    return reason.left(1).toUpper() + reason.mid(1);
}

// The first few names of many, joined by commas, and a mark for the rest.
inline QString namesAndMore(qsizetype count, const QStringList& names)
{
    QString text = names.join(QStringLiteral(", "));
    if (count > names.size())
        text += QStringLiteral(", ") + QChar(0x2026);
    return text;
}

// Every message box of the program goes through this, so tests can answer them.
class Messages {
public:
    enum class Icon { None, Error };
    enum class Answer { Ja, Nee, Annuleren };

    virtual ~Messages() = default;
    // An OK box.
    virtual void tell(QWidget* parent, const QString& title, const QString& text, Icon icon = Icon::None) = 0;
    // A Ja/Nee box, or Ja/Nee/Annuleren when withCancel is set. Enter gives
    // byDefault: Nee where Ja would overwrite someone's work. captions, when
    // given, name the buttons in the same order ("Allemaal afdrukken", ...).
    virtual Answer ask(QWidget* parent, const QString& title, const QString& text, bool withCancel = false,
                       Answer byDefault = Answer::Ja, const QStringList& captions = {}) = 0;
};
