#pragma once

#include <QString>
#include <QStringList>

// What an installation says about its maker and the association it supports.
// The about box shows these; an organisation that ships Numerella changes them
// here and only here.
namespace InstallationInfo {
QString organisation();
QString trademarks();
QString legalNotice();
QString makerMail();
QString makerWeb();
QString assistanceText();
QString history();

QString partnerShortName();
QString partnerWeb();
// The association's documents, shipped beside the program: a text, a
// membership form, a help file and a web page.
QStringList partnerDocuments();
} // namespace InstallationInfo
