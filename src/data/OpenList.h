#pragma once

#include "data/AddressListModel.h"
#include "data/ListHistory.h"
#include "data/ListStorage.h"
#include "data/RecoveryWriter.h"

#include <QDateTime>
#include <QObject>
#include <QStringList>
#include <optional>

// The open list: its rows and their history, its one name, what its file held
// when the list last read or wrote it, and the recovery copy of its unsaved
// changes. It knows no window: it tells what happened through its signals,
// and the window asks the user.
class OpenList : public QObject {
    Q_OBJECT
public:
    explicit OpenList(const QString& homeFolder, QObject* parent = nullptr);

    // The rows, to read and to show; they change only through the verbs below,
    // each a step that can be undone.
    const AddressListModel& model() const { return m_model; }
    QAbstractItemModel* itemModel() { return &m_model; }

    void setField(int row, int field, const QString& value) { m_history.setField(row, field, value); }
    void add(const AddressRecord& address) { m_history.add(address); }
    void remove(const QList<int>& rows) { m_history.remove(rows); }
    // Imported rows, after the last.
    void append(const QList<AddressRecord>& addresses) { m_history.append(addresses); }
    // The rows in this order (a sort): what moved where.
    ListHistory::Outcome reorder(const QList<int>& order) { return m_history.reorder(order); }
    std::optional<ListHistory::Outcome> undo() { return m_history.undo(); }
    std::optional<ListHistory::Outcome> redo() { return m_history.redo(); }
    // Empty while no list is open.
    QString name() const { return m_name; }
    bool isModified() const { return m_history.isModified(); }

    // Reads Data/name in place of the open list; the open list stays as it
    // was when the file cannot be read.
    FileResult open(const QString& name);
    // An empty list of that name; a file of that name is overwritten only by a save.
    void startNew(const QString& name);
    FileResult save();
    // The unsaved changes are given up: so is their copy.
    void dropChanges();

    // What became of the list's file since the list last read or wrote it,
    // judged by its bytes.
    enum class OnDisk { Unchanged, Changed, Gone };
    OnDisk onDisk() const;
    // An unchanged list follows its file when someone else changed it, in
    // two halves: reading touches nothing of the list and may run on another
    // thread while the window waits; taking what was read replaces the rows.
    struct Reread {
        bool needed = false; // the file holds other bytes than the list was read from
        FileStamp stamp;     // the file as it is now
        QList<AddressRecord> rows;
        FileResult result;
    };
    Reread reread() const;
    // The result of reading it again, or nothing when there was nothing to
    // read. A file that cannot be read is tried once per change of the file;
    // the rows stay, and the next save asks as for any outside change.
    std::optional<FileResult> take(Reread read);

    // A copy of a list's unsaved rows, kept from an earlier run.
    struct Recovery {
        QString name;
        QList<AddressRecord> rows;
        QDateTime written;
        bool readable = true;         // false: `notice` says why not
        QString notice;               // what reading the copy found, as opening a list tells it
        bool listWrittenSince = false; // the list's file was written after the copy
    };
    // The names of the lists with a copy.
    QStringList recoveryNames() const;
    // The copy of the named list, when its rows are not the list file's own
    // (a copy of the rows as saved holds no work and goes).
    std::optional<Recovery> recovery(const QString& name);
    // The copy's rows become the open list's, as one step that can be undone.
    // The copy stays until they are saved or copied again.
    void restore(const Recovery& recovery);
    // A copy the user does not want is set aside in Herstel/Oud, under its
    // list's name and the time it was written, never deleted: it may be the
    // live copy of a program on another computer. Set-aside copies go after 30 days.
    void setRecoveryAside(const Recovery& recovery);

signals:
    // The rows changed: a step, or another list read or started.
    void changed();
    void saved();
    // The recovery copy of this list cannot be written; told once a list.
    void recoveryFailed(const QString& reason);

private:
    QString listPath(const QString& name) const;
    QString recoveryPath(const QString& name) const;
    void followStep();
    void beginList(const QString& name, const FileStamp& stamp);

    QString m_home;
    AddressListModel m_model;
    ListHistory m_history{m_model};
    RecoveryWriter m_recovery{m_model};
    QString m_name;
    FileStamp m_stamp;        // what the file held when last read or written
    FileStamp m_refusedStamp; // a change of the file that could not be read
    bool m_recoveryFailureTold = false;
};
