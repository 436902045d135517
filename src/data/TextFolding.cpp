#include "data/TextFolding.h"

#include <memory>

const FoldTable& foldTable()
{
    static const auto table = [] {
        auto result = std::make_unique<std::array<char16_t, 0x10000>>();
        for (int c = 0; c < 0x10000; ++c) {
            const QChar ch{char16_t(c)};
            const QString base = ch.decompositionTag() == QChar::Canonical
                ? QString(ch).normalized(QString::NormalizationForm_D).left(1)
                : QString(ch);
            (*result)[size_t(c)] = base.isEmpty() ? char16_t(c) : base[0].toCaseFolded().unicode();
        }
        return result;
    }();
    return *table;
}

QString foldedText(QStringView text)
{
    const FoldTable& fold = foldTable();
    QString result(text.size(), Qt::Uninitialized);
    for (qsizetype i = 0; i < text.size(); ++i)
        result[i] = QChar(fold[text[i].unicode()]);
    return result;
}

QLatin1StringView transcription(QChar c)
{
    switch (c.unicode()) {
    case u'ä': case u'Ä': return QLatin1StringView("ae");
    case u'ö': case u'Ö': return QLatin1StringView("oe");
    case u'ü': case u'Ü': return QLatin1StringView("ue");
    case u'ß': case u'ẞ': return QLatin1StringView("ss");
    default: return {};
    }
}

QString transcribedText(QStringView text)
{
    QString result;
    for (const QChar c : text) {
        const QLatin1StringView written = transcription(c);
        result += written.isEmpty() ? foldedText(QStringView(&c, 1)) : QString(written);
    }
    return result;
}

