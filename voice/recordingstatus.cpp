#include "recordingstatus.h"

#include <QLocale>

using namespace Qt::StringLiterals;

namespace {
using State = RecordingSession::State;
} // namespace

QString RecordingStatus::text(const RecordingSession& session)
{
    const int n = session.number();
    switch (session.state()) {
    case State::NoVoice:
        return u"Créez une voix avec « Nouvelle voix », ou importez un dossier "
               "d'enregistrements."_s;
    case State::NoMicrophone:
        return u"Aucun microphone n'est branché : branchez-en un pour enregistrer. Les voix "
               "peuvent encore être écoutées, importées, renommées ou supprimées."_s;
    case State::Recording:
        return u"J'écoute… Dites « %1 »."_s.arg(n);
    case State::Saved:
        return u"Le %1 est enregistré (%2 s) : écoutez-le. Entrée pour passer au suivant, R pour "
               "le refaire."_s.arg(n)
                   .arg(QLocale().toString(session.lastSeconds(), 'f', 1));
    case State::Silent:
        return u"Le microphone n'a rien entendu. Vérifiez qu'il est branché, allumé et non coupé, "
               "puis appuyez de nouveau sur Espace."_s;
    case State::Ready:
        break;
    }
    if (session.damagedClips().contains(n))
        return u"Le fichier du %1 est abîmé : appuyez sur Espace, puis dites « %1 » pour "
               "l'enregistrer de nouveau."_s.arg(n);
    return session.hasClip(n) ? u"Le %1 est déjà enregistré : E pour l'écouter, Espace pour le "
                                "refaire, Entrée pour passer au suivant."_s.arg(n)
                              : u"Appuyez sur Espace, puis dites « %1 »."_s.arg(n);
}
