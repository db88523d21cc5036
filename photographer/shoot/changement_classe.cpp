#include "photographer/shoot/changement_classe.h"

#include "common/database.h"
#include "common/files.h"
#include "common/paths.h"
#include "common/report.h"
#include "photographer/data/base.h"
#include "photographer/data/deplacements.h"
#include "photographer/data/dossiers_etab.h"
#include "photographer/data/etat.h"
#include "photographer/data/noms_photos.h"
#include "photographer/data/travaux_etab.h"
#include "photographer/shoot/capture.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>
#include <optional>
#include <utility>

namespace changement_classe {

namespace {

using deplacements::Renommage;

const QString kRepris = QStringLiteral(" Il sera repris à la prochaine ouverture de l'écran de prise de vues.");

QString montre(const QString& chemin)
{
    return QDir::toNativeSeparators(chemin);
}

Issue refus(QString message)
{
    Issue issue;
    issue.refus = std::move(message);
    return issue;
}

// Puts each file not yet renamed under its new name. "" when all are, else the first failure.
QString renommer(const std::vector<Renommage>& renommages)
{
    for (const Renommage& renommage : renommages) {
        if (!dossiers_etab::pris(renommage.origine))
            continue;
        const QString dossier = QFileInfo(renommage.destination).absolutePath();
        if (!paths::ensureFolder(dossier))
            return QStringLiteral("Le dossier « %1 » n'a pas pu être créé.").arg(montre(dossier));
        if (QString erreur = files::move(renommage.origine, renommage.destination); !erreur.isEmpty())
            return erreur;
    }
    return {};
}

// Gives their old names back to the files renamed already. "" when all have them, else the first failure.
QString annuler(const std::vector<Renommage>& renommages)
{
    for (const Renommage& renommage : renommages) {
        if (dossiers_etab::pris(renommage.origine) || !dossiers_etab::pris(renommage.destination))
            continue;
        if (QString erreur = files::move(renommage.destination, renommage.origine); !erreur.isEmpty())
            return erreur;
    }
    return {};
}

// The move did not happen: the files take their names back and the record goes.
// A file that cannot be renamed back keeps the record, for the next opening to settle.
QString revenir(const QString& cle, const std::vector<Renommage>& renommages)
{
    if (QString erreur = annuler(renommages); !erreur.isEmpty())
        return QStringLiteral(" ") + erreur + kRepris;
    deplacements::abandonner(cle);
    return {};
}

// The student of class `vers`, other than `eleve`, whose picture would bear the name `fichier`.
std::optional<roster::Eleve> proprietaire(const QString& fichier, const roster::Eleve& eleve, const QString& vers,
                                          const dossiers_etab::Dossiers& etab)
{
    const QHash<QString, int> numeros = roster::numeros(etat::CodeEtabEnCours);
    for (const roster::Eleve& autre : roster::eleves(etat::CodeEtabEnCours, vers)) {
        if (autre.cle == eleve.cle)
            continue;
        const capture::Destinations siennes =
            capture::destinations(etab, vers, autre.nom, autre.prenom, autre.cle, numeros.value(autre.cle, 1));
        if (fichier == siennes.archive || fichier == siennes.lowRes3)
            return autre;
    }
    return std::nullopt;
}

// The move's files under its establishment's folders as they are named now; "" when they are,
// else why they cannot be (the record then stays only when `plusTard`).
QString releverLieux(deplacements::Deplacement& deplacement, bool& plusTard)
{
    QStringList chemins;
    for (const Renommage& r : deplacement.renommages)
        chemins << r.origine << r.destination;
    const travaux_etab::Lieux lieux = travaux_etab::lieuxActuels(deplacement.codeEtab, chemins);
    plusTard = lieux.plusTard;
    if (!lieux.refus.isEmpty())
        return lieux.refus;
    for (std::size_t i = 0; i < deplacement.renommages.size(); ++i)
        deplacement.renommages[i] = {lieux.chemins[qsizetype(2 * i)], lieux.chemins[qsizetype(2 * i + 1)]};
    return {};
}

// Settles one recorded move.
QString reprendreUn(deplacements::Deplacement deplacement)
{
    const std::optional<roster::Eleve> eleve = roster::eleve(deplacement.cle);
    const QString debut = QStringLiteral("Le changement de classe %1 vers la classe %2 avait été interrompu")
                              .arg(eleve ? QStringLiteral("de %1 %2").arg(eleve->nom, eleve->prenom)
                                         : QStringLiteral("d'un élève qui n'est plus dans la base"),
                                   deplacement.classe);
    bool plusTard = false;
    if (const QString ailleurs = releverLieux(deplacement, plusTard); !ailleurs.isEmpty()) {
        if (plusTard)
            return debut + QStringLiteral(", mais ") + ailleurs + u'.' + kRepris;
        deplacements::abandonner(deplacement.cle);
        return debut + QStringLiteral(", mais ") + ailleurs
               + QStringLiteral(" : il n'a pas été repris. L'élève est resté dans sa classe et aucun de ses fichiers n'a "
                                "été touché.");
    }
    // A file under both names cannot be renamed without replacing the other: never done.
    const bool enPlace = std::none_of(deplacement.renommages.cbegin(), deplacement.renommages.cend(),
                                      [](const Renommage& r) { return dossiers_etab::pris(r.origine) && dossiers_etab::pris(r.destination); });
    if (eleve && enPlace) {
        if (QString erreur = renommer(deplacement.renommages); !erreur.isEmpty())
            return debut + QStringLiteral(" et n'a pas pu être terminé. ") + erreur + kRepris;
        if (deplacements::conclure(deplacement.cle, deplacement.classe))
            return debut + QStringLiteral(" : il a été terminé, ses photos portent le nom de sa nouvelle classe.");
    }
    if (QString erreur = annuler(deplacement.renommages); !erreur.isEmpty())
        return debut + QStringLiteral(" et n'a pas pu être annulé. ") + erreur + kRepris;
    deplacements::abandonner(deplacement.cle);
    if (!eleve)
        return debut + QStringLiteral(" : ses photos ont repris leur nom d'origine.");
    return debut + QStringLiteral(" : il a été annulé, car un fichier portait déjà le nom de sa photo dans sa nouvelle "
                                  "classe. L'élève est resté dans sa classe et ses photos gardent leur nom.");
}

} // namespace

Issue deplacer(const roster::Eleve& eleve, const QString& depuis, const QString& vers)
{
    const QString qui = eleve.nom + u' ' + eleve.prenom;
    const QString inchange = QStringLiteral(" %1 n'a pas changé de classe.").arg(qui);
    if (const noms_photos::Longueur longueur = noms_photos::longueur(vers, eleve.nom, eleve.prenom); !longueur.tient())
        return refus(QStringLiteral("La classe « %1 », le nom et le prénom de %2 sont trop longs pour nommer ses "
                                    "photos : ensemble, %3. L'élève n'a pas changé de classe.")
                         .arg(vers, qui, longueur.limite()));
    for (const deplacements::Deplacement& enCours : deplacements::enCours()) {
        if (enCours.cle == eleve.cle)
            return refus(QStringLiteral("Le changement de classe précédent de %1 n'est pas terminé.").arg(qui) + kRepris
                         + inchange);
    }

    const dossiers_etab::Dossiers etab = dossiers_etab::de(etat::NomEtabEnCours);
    // The number among namesakes is the establishment's: a move keeps it.
    const int numero = roster::numero(etat::CodeEtabEnCours, eleve.cle);
    const capture::Destinations anciennes = capture::destinations(etab, depuis, eleve.nom, eleve.prenom, eleve.cle, numero);
    const capture::Destinations nouvelles = capture::destinations(etab, vers, eleve.nom, eleve.prenom, eleve.cle, numero);
    std::vector<Renommage> renommages;
    for (const auto& [origine, destination] :
         {std::pair{anciennes.archive, nouvelles.archive}, std::pair{anciennes.lowRes3, nouvelles.lowRes3}}) {
        if (origine != destination && dossiers_etab::pris(origine))
            renommages.push_back({origine, destination});
    }
    Issue issue;
    if (renommages.empty()) {
        issue.disparu = !roster::changerClasse(eleve.cle, vers);
        return issue;
    }

    // A namesake's picture is never replaced by another; what belongs to no
    // student of the class (a deleted student's files stay) is set aside.
    for (const Renommage& renommage : renommages) {
        if (!dossiers_etab::pris(renommage.destination))
            continue;
        if (const std::optional<roster::Eleve> autre = proprietaire(renommage.destination, eleve, vers, etab))
            return refus(QStringLiteral("Le fichier « %1 » est celui de %2 %3, élève de la classe %4 qui porte les "
                                        "mêmes nom et prénom : il ne sera pas remplacé.")
                             .arg(montre(renommage.destination), autre->nom, autre->prenom, vers)
                         + inchange);
    }
    for (const Renommage& renommage : renommages) {
        if (!dossiers_etab::pris(renommage.destination))
            continue;
        QString erreur;
        const QString garde = dossiers_etab::garder(renommage.destination, nouvelles.replaced, erreur);
        if (!erreur.isEmpty()) {
            issue.refus = erreur + inchange;
            return issue;
        }
        issue.gardes << montre(garde);
    }

    deplacements::annoncer({eleve.cle, vers, renommages});
    try {
        if (const QString erreur = renommer(renommages); !erreur.isEmpty()) {
            issue.refus = erreur + inchange;
            issue.refus += revenir(eleve.cle, renommages);
            return issue;
        }
        if (!deplacements::conclure(eleve.cle, vers)) {
            issue.disparu = true;
            issue.refus = revenir(eleve.cle, renommages).trimmed();
        }
    } catch (const db::Error&) {
        // The row kept its class: so do the files.
        try {
            (void)revenir(eleve.cle, renommages);
        } catch (const db::Error&) {
            // The record stays: the next opening settles the move.
        }
        throw;
    }
    return issue;
}

QStringList reprendre()
{
    QStringList messages;
    // As for filings: a cut move waits for a base that can record its end.
    if (base::db().readOnly())
        return messages;
    try {
        for (const deplacements::Deplacement& deplacement : deplacements::enCours())
            messages << reprendreUn(deplacement);
    } catch (const db::Error& error) {
        messages << report::logged(error);
    }
    return messages;
}

} // namespace changement_classe
