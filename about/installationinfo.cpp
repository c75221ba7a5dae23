#include "installationinfo.h"

using namespace Qt::StringLiterals;

namespace InstallationInfo {

QString organisation()
{
    return u"Projet Numerella"_s;
}
QString trademarks()
{
    return u"Numerella est un nom du projet Numerella."_s;
}
QString legalNotice()
{
    return u"© 2026 Projet Numerella. Logiciel libre de droits d'usage."_s;
}
QString makerMail()
{
    return u"contact@numerella.example"_s;
}
QString makerWeb()
{
    return u"https://numerella.example"_s;
}

QString assistanceText()
{
    return u"Assistance technique\n\n"
           "Numerella est fourni gratuitement aux clubs, associations et familles qui "
           "organisent des lotos. Une question, un problème pendant la préparation d'un loto ? "
           "Écrivez-nous en décrivant ce que vous faisiez et le message affiché : nous "
           "répondons en général sous deux jours ouvrés.\n\n"
           "Avant d'écrire, consultez l'aide (touche F1) : elle décrit chaque écran.\n\n"
           "Projet Numerella\n"
           "12 rue des Quines\n"
           "00000 Ville-du-Loto\n\n"
           "Téléphone : 00 00 00 00 00\n"
           "Télécopie : 00 00 00 00 01\n"
           "Courriel : contact@numerella.example"_s;
}

QString history()
{
    return u"12/2026 - Version 4.1\n"
           "Numerella renaît pour les ordinateurs d'aujourd'hui. L'écran du tirage s'adapte à "
           "tous les écrans et aux vidéoprojecteurs : le grand numéro se lit du fond de la "
           "salle. Les 180 annonces vocales (voix féminine et masculine) sont intégrées au "
           "programme. Un fichier de grilles n'est plus jamais laissé à moitié écrit, même si "
           "le disque est plein ou l'ordinateur s'éteint pendant la création. L'impression "
           "donne de vraies cartes de loto, prêtes à découper, et peut se faire dans un "
           "fichier PDF quand aucune imprimante n'est installée.\n\n"
           "04/2000 - Version 4.0\n"
           "Vérification des lignes : le résultat montre la grille, les lignes gagnantes en "
           "rouge. Tirage minuté de 10 à 60 secondes.\n\n"
           "12/1999 - Version 3.0\n"
           "Annonce vocale des numéros et choix de la voix. Tableau chronologique des numéros "
           "sortis.\n\n"
           "06/1999 - Version 2.0\n"
           "Impression des grilles par planches de quatre et vérification d'une grille "
           "pendant le tirage.\n\n"
           "01/1999 - Version 1.0\n"
           "Premier générateur de grilles et tirage des numéros à l'écran."_s;
}

QString partnerShortName()
{
    return u"Amis du Loto"_s;
}
QString partnerWeb()
{
    return u"https://amisduloto.example"_s;
}

QStringList partnerDocuments()
{
    return {u"AmisDuLoto.txt"_s, u"Adhesion.txt"_s, u"AideAmisDuLoto.htm"_s, u"AmisDuLoto.html"_s};
}

} // namespace InstallationInfo
