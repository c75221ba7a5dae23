#pragma once

#include <QDateTime>
#include <QString>

// The product's version information; every screen reads it from here.
namespace Product {
QString name();
inline constexpr int Major = 4;
inline constexpr int Minor = 1;
QString comments();
QString helpFileName();
} // namespace Product

// The globals composed once at start-up and only read afterwards.
struct AppGlobals
{
    QString AppPath; // program folder, ending with the separator
    QString HelpFile;
    QString AppTitle;
    QString AppVersion;
    QString ExeDateTime;
    // The game record, in the user's data folder; empty keeps no record.
    QString RecordFile;
    // The look chosen for the hall display, beside the record; empty keeps none.
    QString HallThemeFile;
    // The evening's programmes, one per grid file; empty keeps none.
    QString ProgrammeFolder;
    // The club's own voices, one folder each; empty keeps none.
    QString VoiceFolder;
    // Who runs the evening: name, place and logo; empty keeps none.
    QString OrganiserFile;

    static AppGlobals compose(const QString& programFilePath, const QDateTime& programModified);
};

QString formatExeDateTime(const QDateTime& modified);
QString statusPanelText(); // first panel of the main window's status bar

// The globals every screen reads, composed once at start-up.
namespace Param {
const AppGlobals& globals();
void setGlobals(const AppGlobals& globals);

inline const QString& AppPath()
{
    return globals().AppPath;
}
inline const QString& AppTitle()
{
    return globals().AppTitle;
}
inline const QString& AppVersion()
{
    return globals().AppVersion;
}
inline const QString& ExeDateTime()
{
    return globals().ExeDateTime;
}
inline const QString& RecordFile()
{
    return globals().RecordFile;
}
inline const QString& HallThemeFile()
{
    return globals().HallThemeFile;
}
inline const QString& ProgrammeFolder()
{
    return globals().ProgrammeFolder;
}
inline const QString& VoiceFolder()
{
    return globals().VoiceFolder;
}
inline const QString& OrganiserFile()
{
    return globals().OrganiserFile;
}

} // namespace Param
