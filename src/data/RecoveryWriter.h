#pragma once

#include <QObject>
#include <QString>
#include <QThreadPool>
#include <QTimer>

class AddressListModel;

// Keeps a recovery copy of a list with unsaved changes, in the list's own
// format, so a crash or a power cut loses no more than the last moments.
// The copy is written on a thread of its own a moment after the last change:
// the window never waits for it. Writes and removals happen in the order asked.
class RecoveryWriter : public QObject {
    Q_OBJECT
public:
    explicit RecoveryWriter(const AddressListModel& model, QObject* parent = nullptr);
    ~RecoveryWriter() override;

    // The list changed: its copy at path is written two seconds after the last change.
    void changed(const QString& path);
    // The list was saved or its changes dropped: no copy is needed any more.
    void discard(const QString& path);

signals:
    // A copy could not be written (a full disk, a file where the folder should be).
    void failed(const QString& reason);

private:
    void write();

    const AddressListModel& m_model;
    QTimer m_timer;
    QString m_path;
    QThreadPool m_pool;
};
