#include "photographer/data/travaux_etab.h"

#include "photographer/data/base.h"
#include "photographer/data/deplacements.h"

#include <QDir>
#include <QFileInfo>

#include <optional>

namespace travaux_etab {

namespace {

// The place in `dossiers` of the folder that holds `chemin`; -1 when none does.
qsizetype dossierDe(const QString& chemin, const QStringList& dossiers)
{
    for (qsizetype i = 0; i < dossiers.size(); ++i) {
        if (chemin == dossiers[i] || chemin.startsWith(dossiers[i] + u'/'))
            return i;
    }
    return -1;
}

// The names whose folders hold `chemin`: for each folder above it, every
// beginning of its name of which it is a folder ("Lycée BR3" is a folder of
// "Lycée BR3" and of "Lycée").
QStringList nomsPossibles(const QString& chemin)
{
    QStringList noms;
    for (QFileInfo dossier(QFileInfo(chemin).absolutePath()); !dossier.isRoot();
         dossier.setFile(dossier.absolutePath())) {
        const QString nomDossier = dossier.fileName();
        for (qsizetype longueur = 1; longueur <= nomDossier.size(); ++longueur) {
            const QString nom = nomDossier.left(longueur);
            if (!noms.contains(nom) && dossiers_etab::de(nom).tous().contains(dossier.absoluteFilePath()))
                noms << nom;
        }
    }
    return noms;
}

// The paths as they lie if the job began under the name `ancien`, whose folders
// the rename took along; nothing when a path is in no folder of that name.
std::optional<QStringList> sousLeNom(const QString& ancien, const QStringList& chemins, const QStringList& actuels,
                                     QStringList& dossiersAnciens)
{
    const QStringList anciens = dossiers_etab::de(ancien).tous();
    QStringList releves;
    for (const QString& chemin : chemins) {
        if (chemin.isEmpty() || dossierDe(chemin, actuels) >= 0) {
            releves << chemin;
            continue;
        }
        const qsizetype i = dossierDe(chemin, anciens);
        if (i < 0 || i >= actuels.size())
            return std::nullopt;
        releves << actuels[i] + chemin.mid(anciens[i].size());
        dossiersAnciens << anciens[i];
    }
    return releves;
}

} // namespace

QString attenteAvantRenommage(const QString& code, const QString& nom)
{
    const QString attente = QStringLiteral("L'établissement « %1 » n'a pas été renommé : %2, interrompu par un arrêt "
                                           "brutal, n'est pas terminé. Ouvrez la prise de vues de cet établissement, "
                                           "qui le terminera, puis renommez-le.");
    const db::Rows classements = base::db().query(
        QStringLiteral("SELECT Nom, Prenom, Classe FROM JournalClassement WHERE CodeEtablissement = ?1 "
                       "AND ifnull(Fait, '') <> '1' ORDER BY CdeClassement LIMIT 1"),
        {code});
    if (!classements.empty()) {
        const db::Row& c = classements.front();
        return attente.arg(nom, QStringLiteral("le classement d'une photo de %1 %2 (classe %3)")
                                    .arg(c.at(0), c.at(1), c.at(2)));
    }
    // A move of a student who left the base is told by its files.
    const QStringList dossiers = dossiers_etab::de(nom).tous();
    for (const deplacements::Deplacement& deplacement : deplacements::enCours()) {
        bool sien = deplacement.codeEtab == code;
        for (const deplacements::Renommage& r : deplacement.renommages)
            sien = sien || dossierDe(r.origine, dossiers) >= 0 || dossierDe(r.destination, dossiers) >= 0;
        if (!sien)
            continue;
        const QString qui = deplacement.codeEtab.isEmpty() ? QStringLiteral("d'un élève qui n'est plus dans la base")
                                                           : QStringLiteral("de %1 %2").arg(deplacement.nom,
                                                                                            deplacement.prenom);
        return attente.arg(nom, QStringLiteral("le changement de classe %1 vers la classe %2").arg(qui, deplacement.classe));
    }
    return {};
}

Lieux lieuxActuels(const QString& code, const QStringList& chemins)
{
    Lieux lieux;
    lieux.chemins = chemins;
    db::Database& base = base::db();
    const db::Rows etablissement =
        base.query(QStringLiteral("SELECT Nom FROM Etablissements WHERE CdeEtablissement = ?1"), {code});
    if (etablissement.empty())
        return lieux;
    const QString nom = etablissement.front().at(0);
    lieux.actuels = dossiers_etab::de(nom);
    const db::Rows renommage = base.query(
        QStringLiteral("SELECT AncienNom, NouveauNom FROM RenommagesEnCours WHERE CdeEtablissement = ?1 LIMIT 1"), {code});
    if (!renommage.empty()) {
        // Its folders are some under one name, some under the other, until the next start.
        lieux.refus = QStringLiteral("le renommage de l'établissement « %1 » en « %2 » n'est pas terminé : il le sera "
                                     "au prochain démarrage de Zelvantis")
                          .arg(renommage.front().at(0), renommage.front().at(1));
        lieux.plusTard = true;
        return lieux;
    }

    const QStringList actuels = lieux.actuels.tous();
    QString premierDehors;
    QStringList anciensNoms;
    for (const QString& chemin : chemins) {
        if (chemin.isEmpty() || dossierDe(chemin, actuels) >= 0)
            continue;
        if (premierDehors.isEmpty())
            premierDehors = chemin;
        for (const QString& ancien : nomsPossibles(chemin)) {
            if (!anciensNoms.contains(ancien))
                anciensNoms << ancien;
        }
    }
    if (premierDehors.isEmpty())
        return lieux;

    // Exact only when one former name explains every path, and the rename took its folders along.
    std::optional<QStringList> releves;
    bool exact = true;
    for (const QString& ancien : anciensNoms) {
        QStringList dossiersAnciens;
        const std::optional<QStringList> sous = sousLeNom(ancien, chemins, actuels, dossiersAnciens);
        if (!sous)
            continue;
        for (const QString& dossier : dossiersAnciens)
            exact = exact && !dossiers_etab::pris(dossier);
        exact = exact && (!releves || *releves == *sous);
        releves = sous;
    }
    if (!releves || !exact) {
        lieux.refus = QStringLiteral("ses fichiers sont dans « %1 », qui n'est pas un dossier de l'établissement « %2 » "
                                     "sous son nom actuel")
                          .arg(QDir::toNativeSeparators(QFileInfo(premierDehors).absolutePath()), nom);
        return lieux;
    }
    lieux.chemins = *releves;
    return lieux;
}

} // namespace travaux_etab
