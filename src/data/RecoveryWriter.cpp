#include "data/RecoveryWriter.h"

#include "data/AddressListFile.h"
#include "data/AddressListModel.h"
#include "data/ListStorage.h"

#include <QFile>

namespace {
constexpr int AfterLastChangeMs = 2000;
}

RecoveryWriter::RecoveryWriter(const AddressListModel& model, QObject* parent) : QObject(parent), m_model(model)
{
    m_timer.setSingleShot(true);
    m_timer.setInterval(AfterLastChangeMs);
    connect(&m_timer, &QTimer::timeout, this, &RecoveryWriter::write);
    // One thread: a removal never overtakes the write before it.
    m_pool.setMaxThreadCount(1);
}

RecoveryWriter::~RecoveryWriter()
{
    m_pool.waitForDone();
}

void RecoveryWriter::changed(const QString& path)
{
    m_path = path;
    m_timer.start();
}

void RecoveryWriter::discard(const QString& path)
{
    m_timer.stop();
    m_pool.start([path] { QFile::remove(path); });
}

void RecoveryWriter::write()
{
    // The records are shared, not copied, on the window thread. The thread
    // copies them first and lets go: only a change in that short moment makes
    // the window copy them once itself.
    m_pool.start([this, shared = m_model.records(), path = m_path]() mutable {
        const QList<AddressRecord> records(shared.cbegin(), shared.cend());
        shared = {};
        // Written whole through a temporary file: the old copy or the new one, never a torn one.
        const std::optional<QByteArray> bytes = encodeAddressList(records);
        const FileResult written = bytes ? writeWholeFile(path, *bytes) : FileResult{};
        if (!written.ok)
            QMetaObject::invokeMethod(this, [this, reason = written.reason] { emit failed(reason); }, Qt::QueuedConnection);
    });
}
