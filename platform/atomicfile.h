#pragma once

#include <QList>
#include <QString>

class QByteArray;

// A place no file the program writes may land in or replace, whatever name
// leads there.
struct ProtectedPlace
{
    QString path;
    bool isFolder = false; // and everything under it
    QString refusal;       // why, in French, fit to follow "n'a pas pu être enregistré : "
};

// A file written whole under a hidden scratch name beside its place, synced,
// then put there in one rename: a full disk or a crash leaves the earlier
// file as it was, and a link of that name is replaced, never written through.
// Every failure comes back as its cause in French, an empty string meaning
// success; the scratch file never outlives one.
class AtomicFile
{
public:
    explicit AtomicFile(QString path);
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    QString open(); // makes the scratch file
    QString write(const QByteArray& bytes);
    QString commit(); // synced, then in place
    void discard();

    const QString& path() const { return m_path; }
    // For a writer that opens the file by name itself, such as a PDF printer.
    const QString& scratchPath() const { return m_scratch; }

    // The whole file in one call.
    static QString save(const QString& path, const QByteArray& bytes);

    // Why nothing may be written under that name, or an empty string.
    static QString refusal(const QString& path);
    // Set once at start-up, by whoever knows which places matter.
    static void protect(QList<ProtectedPlace> places);

    // For tests: every write fails with that error once afterBytes are
    // written to a scratch file; error 0 lets writes through again.
    static void injectWriteFault(qint64 afterBytes, int error);

private:
    QString fail(int error);

    QString m_path;
    QString m_scratch;
    int m_fd = -1;
    qint64 m_written = 0;
};
