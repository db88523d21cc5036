#include "photographer/data/etablissements.h"

#include "common/files.h"
#include "common/paths.h"
#include "common/report.h"
#include "photographer/data/base.h"
#include "photographer/data/dossiers_etab.h"
#include "photographer/data/travaux_etab.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace etablissements {

namespace {
QString disparu()
{
    return QStringLiteral("Cet établissement n'existe plus dans la base.");
}
} // namespace

std::vector<Etablissement> liste()
{
    std::vector<Etablissement> resultat;
    const db::Rows lignes = base::db().query(QStringLiteral(
        "SELECT CdeEtablissement, Nom, \"Code Postal\" FROM Etablissements ORDER BY CdeEtablissement"));
    resultat.reserve(lignes.size());
    for (const db::Row& ligne : lignes)
        resultat.push_back({ligne.at(0), ligne.at(1), ligne.at(2)});
    return resultat;
}

bool nomPris(const QString& nom, const QString& saufCode)
{
    return !base::db()
                .scalar(QStringLiteral("SELECT 1 FROM Etablissements WHERE Nom = ?1 COLLATE FR "
                                       "AND CdeEtablissement <> ?2 LIMIT 1"),
                        {nom, saufCode})
                .isEmpty();
}

std::vector<DossierPartage> dossiersPartages(const QString& nom, const QString& saufCode)
{
    std::vector<DossierPartage> resultat;
    const dossiers_etab::Dossiers siens = dossiers_etab::de(nom);
    for (const db::Row& autre : base::db().query(
             QStringLiteral("SELECT Nom FROM Etablissements WHERE CdeEtablissement <> ?1 ORDER BY CdeEtablissement"),
             {saufCode})) {
        for (const QString& dossier : dossiers_etab::communs(siens, dossiers_etab::de(autre.at(0))))
            resultat.push_back({dossier, autre.at(0)});
    }
    return resultat;
}

QString refusNom(const QString& nom, const QString& saufCode)
{
    const QString refus = dossiers_etab::refus(nom);
    if (!refus.isEmpty())
        return refus;
    if (nomPris(nom, saufCode))
        return QStringLiteral("Un établissement porte déjà le nom « %1 ». Choisissez un autre nom.").arg(nom);
    const std::vector<DossierPartage> partages = dossiersPartages(nom, saufCode);
    if (!partages.empty())
        return QStringLiteral("Le nom « %1 » donnerait le dossier %2, qui est celui de l'établissement « %3 ». "
                              "Choisissez un autre nom.")
            .arg(nom, QDir::toNativeSeparators(partages.front().dossier), partages.front().autre);
    return {};
}

bool aDesEleves(const QString& code)
{
    return !base::db()
                .scalar(QStringLiteral("SELECT 1 FROM Eleves WHERE CodeEtablissement = ?1 LIMIT 1"), {code})
                .isEmpty();
}

QString nomPhotographe()
{
    return base::db().scalar(QStringLiteral("SELECT NomP FROM Photographe ORDER BY rowid LIMIT 1"));
}

Suppression supprimer(const QString& code, const std::function<void(int)>& avancement)
{
    Suppression resultat;
    try {
        db::Database& base = base::db();
        const db::Rows ligne = base.query(
            QStringLiteral("SELECT Nom FROM Etablissements WHERE CdeEtablissement = ?1"), {code});
        if (ligne.empty()) {
            resultat.refus = disparu();
            return resultat;
        }
        resultat.nom = ligne.front().at(0);
        resultat.gardes = dossiersPartages(resultat.nom, code);
        db::Database::Transaction transaction(base);
        base.exec(QStringLiteral("DELETE FROM Eleves WHERE CodeEtablissement = ?1"), {code});
        base.exec(QStringLiteral("DELETE FROM NumerosPhotos WHERE CodeEtablissement = ?1"), {code});
        base.exec(QStringLiteral("DELETE FROM Etablissements WHERE CdeEtablissement = ?1"), {code});
        base.exec(QStringLiteral("DELETE FROM RecTarifs WHERE RecCodeEtablissement = ?1"), {code});
        base.exec(QStringLiteral("DELETE FROM RecPochetteInc WHERE CodeEtab = ?1"), {code});
        transaction.commit();
    } catch (const db::Error& erreur) {
        resultat.refus = report::logged(erreur);
        return resultat;
    }
    avancement(10);
    // A name that cannot name a folder ("", "." or "..") has none: the data
    // folder or its parent must never be removed in its place.
    if (!paths::namesFolder(resultat.nom))
        resultat.sansDossier = paths::componentRefusal(resultat.nom, QStringLiteral("Le nom de l'établissement"));
    if (!resultat.sansDossier.isEmpty())
        return resultat;
    int valeur = 10;
    for (const QString& dossier : dossiers_etab::de(resultat.nom).tous()) {
        const bool garde = std::any_of(resultat.gardes.begin(), resultat.gardes.end(),
                                       [&](const DossierPartage& partage) { return partage.dossier == dossier; });
        if (!garde && !files::removeTree(dossier))
            resultat.dossiersRestes << dossier;
        valeur += 10;
        avancement(valeur);
    }
    return resultat;
}

namespace {

// A folder that a rename moves, under its former and its new name.
struct Deplacement {
    QString ancien;
    QString nouveau;
};

// The folders of a recorded rename: `indices` holds, as digits, the places
// in dossiers_etab::Dossiers::tous() of those that existed before it began.
std::vector<Deplacement> deplacements(const QString& ancienNom, const QString& nouveauNom, const QString& indices)
{
    const QStringList anciens = dossiers_etab::de(ancienNom).tous();
    const QStringList nouveaux = dossiers_etab::de(nouveauNom).tous();
    std::vector<Deplacement> resultat;
    for (const QChar chiffre : indices) {
        const int i = chiffre.digitValue();
        if (i >= 0 && i < anciens.size() && i < nouveaux.size())
            resultat.push_back({anciens[i], nouveaux[i]});
    }
    return resultat;
}

// Gives the moved folders their former names back, last moved first; the
// folders that keep the new name, as the user reads them.
QStringList ramener(const std::vector<Deplacement>& deplaces)
{
    QStringList restes;
    for (auto d = deplaces.crbegin(); d != deplaces.crend(); ++d) {
        if (!files::move(d->nouveau, d->ancien).isEmpty())
            restes << QStringLiteral("%1 (au lieu de %2)").arg(d->nouveau, d->ancien);
    }
    return restes;
}

void oublierRenommage(const QString& code)
{
    base::db().exec(QStringLiteral("DELETE FROM RenommagesEnCours WHERE CdeEtablissement = ?1"), {code});
}

// The row takes the new name as the record of the rename goes.
void enregistrerNom(const QString& code, const QString& nouveauNom)
{
    db::Database& base = base::db();
    db::Database::Transaction transaction(base);
    base.exec(QStringLiteral("UPDATE Etablissements SET Nom = ?1 WHERE CdeEtablissement = ?2"), {nouveauNom, code});
    base.exec(QStringLiteral("DELETE FROM RenommagesEnCours WHERE CdeEtablissement = ?1"), {code});
    transaction.commit();
}

// Puts the folders moved so far back, and drops the record once none keeps
// the new name; else the record stays, for the next start to settle.
QString defaire(const QString& code, const std::vector<Deplacement>& deplaces)
{
    const QStringList restes = ramener(deplaces);
    if (restes.isEmpty()) {
        try {
            oublierRenommage(code);
        } catch (const db::Error& erreur) {
            // The next start finds every folder under its former name and finishes the rename.
            report::logged(erreur);
        }
        return {};
    }
    return QStringLiteral("\nCes dossiers n'ont pas pu reprendre leur ancien nom et portent le nouveau :\n%1\n"
                          "Le renommage sera terminé ou annulé au prochain démarrage de Zelvantis.")
        .arg(restes.join(u'\n'));
}

} // namespace

QString renommer(const QString& code, const QString& nouveauNom, const std::function<void(int)>& apresDossier)
{
    QString ancienNom;
    try {
        const db::Rows ligne = base::db().query(
            QStringLiteral("SELECT Nom FROM Etablissements WHERE CdeEtablissement = ?1"), {code});
        if (ligne.empty())
            return disparu();
        ancienNom = ligne.front().at(0);
        if (nouveauNom == ancienNom)
            return {};
        const QString refus = refusNom(nouveauNom, code);
        if (!refus.isEmpty())
            return refus;
        if (!base::db()
                 .scalar(QStringLiteral("SELECT 1 FROM RenommagesEnCours WHERE CdeEtablissement = ?1"), {code})
                 .isEmpty())
            return QStringLiteral("Le renommage précédent de l'établissement « %1 » n'est pas terminé : il le sera au "
                                  "prochain démarrage de Zelvantis. L'établissement n'a pas été renommé.")
                .arg(ancienNom);
    } catch (const db::Error& erreur) {
        return report::logged(erreur);
    }

    // A name that could not name a folder has none to rename.
    const dossiers_etab::Dossiers avant = dossiers_etab::de(ancienNom);
    if (!avant.valides() || paths::component(ancienNom) == paths::component(nouveauNom)) {
        try {
            enregistrerNom(code, nouveauNom);
        } catch (const db::Error& erreur) {
            return report::logged(erreur) + QStringLiteral(" L'établissement garde son nom.");
        }
        return {};
    }
    // A filing or a class move left by a power cut holds the paths of the
    // former folders: settled after the rename, it would write under a name
    // that is no longer the establishment's.
    try {
        if (QString attente = travaux_etab::attenteAvantRenommage(code, ancienNom); !attente.isEmpty())
            return attente;
    } catch (const db::Error& erreur) {
        return report::logged(erreur) + QStringLiteral(" L'établissement garde son nom.");
    }
    for (const QString& dossier : dossiers_etab::de(nouveauNom).tous()) {
        if (QFileInfo::exists(dossier))
            return QStringLiteral("Le dossier %1 existe déjà : l'établissement n'a pas été renommé.").arg(dossier);
    }
    // The folders there before the first move: a moved folder may take the
    // name of an old folder that was never made ("X" renamed "X BR").
    const QStringList anciens = avant.tous();
    QString indices;
    for (qsizetype i = 0; i < anciens.size(); ++i) {
        if (QFileInfo::exists(anciens[i]))
            indices += QString::number(i);
    }
    // Recorded before the first folder moves: a power cut at any step leaves
    // the next start what it needs to finish the rename.
    try {
        base::db().exec(QStringLiteral("INSERT INTO RenommagesEnCours (CdeEtablissement, AncienNom, NouveauNom, "
                                       "Dossiers) VALUES (?1, ?2, ?3, ?4)"),
                        {code, ancienNom, nouveauNom, indices});
    } catch (const db::Error& erreur) {
        return report::logged(erreur) + QStringLiteral(" L'établissement garde son nom.");
    }
    if (apresDossier)
        apresDossier(0);
    std::vector<Deplacement> deplaces;
    for (const Deplacement& deplacement : deplacements(ancienNom, nouveauNom, indices)) {
        if (!files::move(deplacement.ancien, deplacement.nouveau).isEmpty()) {
            // A move whose folder sync failed is moved back as well.
            if (QFileInfo::exists(deplacement.nouveau))
                deplaces.push_back(deplacement);
            return QStringLiteral("Le dossier %1 n'a pas pu être renommé en %2 : l'établissement garde son nom.")
                       .arg(deplacement.ancien, deplacement.nouveau)
                + defaire(code, deplaces);
        }
        deplaces.push_back(deplacement);
        if (apresDossier)
            apresDossier(int(deplaces.size()));
    }
    try {
        enregistrerNom(code, nouveauNom);
    } catch (const db::Error& erreur) {
        return report::logged(erreur) + QStringLiteral(" L'établissement garde son nom.") + defaire(code, deplaces);
    }
    return {};
}

std::vector<Reprise> reprendreRenommages()
{
    std::vector<Reprise> resultat;
    // Folders moved under a base that cannot record it would be moved again,
    // from where they no longer are: the rename waits for a writable base.
    if (base::db().readOnly())
        return resultat;
    const db::Rows enCours = base::db().query(QStringLiteral(
        "SELECT CdeEtablissement, AncienNom, NouveauNom, Dossiers FROM RenommagesEnCours ORDER BY rowid"));
    for (const db::Row& ligne : enCours) {
        const QString code = ligne.at(0), ancienNom = ligne.at(1), nouveauNom = ligne.at(2);
        const QString renommage =
            QStringLiteral("Le renommage de l'établissement « %1 » en « %2 », interrompu lors de la dernière "
                           "utilisation de Zelvantis,")
                .arg(ancienNom, nouveauNom);
        try {
            if (base::db().query(QStringLiteral("SELECT 1 FROM Etablissements WHERE CdeEtablissement = ?1"), {code})
                    .empty()) {
                oublierRenommage(code);
                continue;
            }
            const std::vector<Deplacement> tous = deplacements(ancienNom, nouveauNom, ligne.at(3));
            // A folder of the new name that this rename did not make is another's: the rename is undone.
            QString obstacle;
            for (const Deplacement& d : tous) {
                if (QFileInfo::exists(d.ancien) && QFileInfo::exists(d.nouveau))
                    obstacle = QStringLiteral("le dossier %1 existe déjà.").arg(d.nouveau);
            }
            for (const Deplacement& d : tous) {
                if (!obstacle.isEmpty())
                    break;
                if (QFileInfo::exists(d.ancien) && !files::move(d.ancien, d.nouveau).isEmpty())
                    obstacle = QStringLiteral("le dossier %1 n'a pas pu être renommé en %2.").arg(d.ancien, d.nouveau);
            }
            if (obstacle.isEmpty()) {
                enregistrerNom(code, nouveauNom);
                resultat.push_back({renommage + QStringLiteral(" a été terminé."), true});
                continue;
            }
            std::vector<Deplacement> deplaces;
            for (const Deplacement& d : tous) {
                if (!QFileInfo::exists(d.ancien) && QFileInfo::exists(d.nouveau))
                    deplaces.push_back(d);
            }
            const QStringList restes = ramener(deplaces);
            if (restes.isEmpty()) {
                oublierRenommage(code);
                resultat.push_back({renommage + QStringLiteral(" a été annulé : %1 L'établissement garde le nom « %2 ».")
                                                    .arg(obstacle, ancienNom),
                                    true});
            } else {
                resultat.push_back(
                    {renommage
                         + QStringLiteral(" n'a pu être ni terminé ni annulé : %1\nCes dossiers portent le nouveau nom :"
                                          "\n%2\nIl sera repris au prochain démarrage.")
                               .arg(obstacle, restes.join(u'\n')),
                     false});
            }
        } catch (const db::Error& erreur) {
            resultat.push_back({renommage + u' ' + report::logged(erreur), false});
        }
    }
    return resultat;
}

void changerCodePostal(const QString& code, const QString& codePostal)
{
    base::db().exec(QStringLiteral("UPDATE Etablissements SET \"Code Postal\" = ?1 WHERE CdeEtablissement = ?2"),
                    {codePostal, code});
}

} // namespace etablissements
