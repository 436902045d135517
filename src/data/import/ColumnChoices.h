#pragma once

#include "data/ListStorage.h"
#include "data/import/ImportColumns.h"

#include <QByteArray>
#include <QMap>
#include <QSet>
#include <optional>

// The columns the user chose for a file, remembered by its exact column
// names, so the next export from the same administration needs no question.
// Kept in a small UTF-8 file of its own: a line per set of names, the
// fields first ("01--4" … one character a column, - for none; then "~" when
// the names are turned round, "=" when they stay as written), then the
// names, all separated by tabs.
class ColumnChoices {
public:
    static ColumnChoices parse(const QByteArray& bytes);
    QByteArray encoded() const;
    // The choices kept in the home folder; none when its file is missing or unreadable.
    static ColumnChoices load(const QString& homeFolder);
    // Keeps them there; the reason when that failed.
    FileResult save(const QString& homeFolder) const;

    std::optional<ColumnUses> find(const QStringList& names) const;
    // Whether the user chose to turn the names round or not for these column names.
    bool decidesTurning(const QStringList& names) const;
    void remember(const QStringList& names, const ColumnUses& uses);
    bool isEmpty() const { return m_uses.isEmpty(); }

private:
    QMap<QString, ColumnUses> m_uses; // by the names joined with tabs
    QSet<QString> m_turningDecided;   // the same keys
};
