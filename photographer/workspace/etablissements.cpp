#include "photographer/workspace/etablissements.h"

#include "common/paths.h"
#include "common/report.h"
#include "photographer/workspace/base.h"
#include "photographer/workspace/etat.h"

#include <QDir>
#include <QFileInfo>

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

QStringList dossiers(const QString& nom)
{
    const QString dossier = paths::component(nom);
    return {paths::join(etat::CheminDonnees, {dossier}),
            paths::join(etat::CheminDonnees, {dossier + QStringLiteral(" BR")}),
            paths::join(etat::CheminDonnees, {dossier + QStringLiteral(" BR3")}),
            paths::onDrive({QStringLiteral("labohd"), dossier})};
}

bool nomPris(const QString& nom, const QString& saufCode)
{
    return !base::db()
                .scalar(QStringLiteral("SELECT 1 FROM Etablissements WHERE Nom = ?1 COLLATE FR "
                                       "AND CdeEtablissement <> ?2 LIMIT 1"),
                        {nom, saufCode})
                .isEmpty();
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
        // An empty name, "." or ".." would name the data folder or its parent.
        const QString refus = paths::componentRefusal(resultat.nom);
        if (!refus.isEmpty()) {
            resultat.refus = QStringLiteral("L'établissement ne peut pas être supprimé : %1").arg(refus);
            return resultat;
        }
        const QString dossier = paths::component(resultat.nom);
        for (const db::Row& autre : base.query(
                 QStringLiteral("SELECT Nom FROM Etablissements WHERE CdeEtablissement <> ?1"), {code})) {
            if (paths::component(autre.at(0)) == dossier)
                resultat.partage = autre.at(0);
        }
        db::Database::Transaction transaction(base);
        base.exec(QStringLiteral("DELETE FROM Eleves WHERE CodeEtablissement = ?1"), {code});
        base.exec(QStringLiteral("DELETE FROM Etablissements WHERE CdeEtablissement = ?1"), {code});
        base.exec(QStringLiteral("DELETE FROM RecTarifs WHERE RecCodeEtablissement = ?1"), {code});
        base.exec(QStringLiteral("DELETE FROM RecPochetteInc WHERE CodeEtab = ?1"), {code});
        transaction.commit();
    } catch (const db::Error& erreur) {
        resultat.refus = report::logged(erreur);
        return resultat;
    }
    avancement(10);
    if (!resultat.partage.isEmpty())
        return resultat;
    int valeur = 10;
    for (const QString& dossier : dossiers(resultat.nom)) {
        QDir(dossier).removeRecursively();
        if (QFileInfo::exists(dossier))
            resultat.dossiersRestes << dossier;
        valeur += 10;
        avancement(valeur);
    }
    return resultat;
}

QString renommer(const QString& code, const QString& nouveauNom)
{
    const QString refus = paths::componentRefusal(nouveauNom);
    if (!refus.isEmpty())
        return refus;
    QString ancienNom;
    try {
        const db::Rows ligne = base::db().query(
            QStringLiteral("SELECT Nom FROM Etablissements WHERE CdeEtablissement = ?1"), {code});
        if (ligne.empty())
            return disparu();
        ancienNom = ligne.front().at(0);
        if (nouveauNom == ancienNom)
            return {};
        if (nomPris(nouveauNom, code))
            return QStringLiteral("Un établissement porte déjà le nom « %1 ». Choisissez un autre nom.")
                .arg(nouveauNom);
    } catch (const db::Error& erreur) {
        return report::logged(erreur);
    }

    // A name that could not name a folder has none to rename; two names that
    // give the same folder name keep their folders.
    QStringList anciens, nouveaux;
    if (paths::componentRefusal(ancienNom).isEmpty()
        && paths::component(ancienNom) != paths::component(nouveauNom)) {
        anciens = dossiers(ancienNom);
        nouveaux = dossiers(nouveauNom);
    }
    for (const QString& dossier : nouveaux) {
        if (QFileInfo::exists(dossier))
            return QStringLiteral("Le dossier %1 existe déjà : l'établissement n'a pas été renommé.").arg(dossier);
    }
    QList<qsizetype> renommes;
    const auto defaire = [&] {
        for (const qsizetype i : renommes)
            QDir().rename(nouveaux[i], anciens[i]);
    };
    for (qsizetype i = 0; i < anciens.size(); ++i) {
        if (!QFileInfo::exists(anciens[i]))
            continue;
        if (!QDir().rename(anciens[i], nouveaux[i])) {
            defaire();
            return QStringLiteral("Le dossier %1 n'a pas pu être renommé en %2 : l'établissement garde son nom.")
                .arg(anciens[i], nouveaux[i]);
        }
        renommes << i;
    }
    try {
        base::db().exec(QStringLiteral("UPDATE Etablissements SET Nom = ?1 WHERE CdeEtablissement = ?2"),
                        {nouveauNom, code});
    } catch (const db::Error& erreur) {
        defaire();
        return report::logged(erreur);
    }
    return {};
}

void changerCodePostal(const QString& code, const QString& codePostal)
{
    base::db().exec(QStringLiteral("UPDATE Etablissements SET \"Code Postal\" = ?1 WHERE CdeEtablissement = ?2"),
                    {codePostal, code});
}

} // namespace etablissements
