#include "generatorinput.h"

#include <QDate>
#include <QStringList>

using namespace Qt::StringLiterals;

namespace GeneratorInput {

namespace {
bool allDigits(QStringView text)
{
    return !text.isEmpty() &&
           std::all_of(text.begin(), text.end(), [](QChar c) { return c >= u'0' && c <= u'9'; });
}
} // namespace

CountCheck checkCount(const QString& text)
{
    if (text.isEmpty())
        return CountCheck::Empty;
    if (!allDigits(text))
        return CountCheck::NotAWholeNumber;
    const int value = text.toInt(); // at most five digits: never overflows
    if (value > MaxGrids)
        return CountCheck::TooMany;
    return value == 0 ? CountCheck::NotAWholeNumber : CountCheck::Ok;
}

int adjustedCount(int count)
{
    return count % 4 == 0 ? count : (count / 4 + 1) * 4;
}

bool isValidDate(const QString& text)
{
    if (text.size() != 10 || text[2] != u'/' || text[5] != u'/')
        return false;
    const QStringView view(text);
    if (!allDigits(view.mid(0, 2)) || !allDigits(view.mid(3, 2)) || !allDigits(view.mid(6, 4)))
        return false;
    const int year = view.mid(6, 4).toInt();
    return year >= 1 && QDate::isValid(year, view.mid(3, 2).toInt(), view.mid(0, 2).toInt());
}

QString emptyCountText()
{
    return u"La saisie du nombre de grilles est obligatoire !!"_s;
}
QString tooManyText()
{
    return u"La quantité maxi de grilles est limitée à 10000 !!"_s;
}
QString notAWholeNumberText()
{
    return u"Le nombre de grilles doit être un nombre entier de 1 à 10000 !!"_s;
}
QString emptyDateAtLaunchText()
{
    return u"La saisie de la date est obligatoire !!"_s;
}
QString emptyDateOnEnterText()
{
    return u"La saisie de la date est obligatoire"_s;
}
QString dateFormatText()
{
    return u"La date n'a pas été saisie dans le bon format.\nFormat de saisie = JJ/MM/AAAA\n\n"
           "Veuillez reprendre SVP !!"_s;
}
QString confirmationText(int count, const QString& date)
{
    return u"Confirmez vous la création d'un fichier de :\n"_s + QString::number(count) +
           u" grilles\npour le tirage du Loto du : "_s + date;
}
QString alreadyExistsText(const QString& fullPath)
{
    return fullPath + u" existe déjà !!!\nSouhaitez vous le remplacer ?"_s;
}
QString alreadyExistTwinsText(const QStringList& fullPaths)
{
    return fullPaths.join(u'\n') + u"\nexistent déjà !!!\nSouhaitez vous les remplacer ?"_s;
}
QString waitText()
{
    return u"Création de la base de données en cours !!  Veuillez patienter !!"_s;
}

} // namespace GeneratorInput
