#include "photographer/data/etablissements.h"

#include "common/files.h"
#include "common/paths.h"
#include "common/report.h"
#include "photographer/data/base.h"
#include "photographer/data/dossiers_etab.h"

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
    resultat.sansDossier = paths::componentRefusal(resultat.nom);
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

QString renommer(const QString& code, const QString& nouveauNom)
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
    } catch (const db::Error& erreur) {
        return report::logged(erreur);
    }

    // A name that could not name a folder has none to rename.
    const dossiers_etab::Dossiers avant = dossiers_etab::de(ancienNom);
    QStringList anciens, nouveaux;
    if (avant.valides() && paths::component(ancienNom) != paths::component(nouveauNom)) {
        anciens = avant.tous();
        nouveaux = dossiers_etab::de(nouveauNom).tous();
    }
    for (const QString& dossier : nouveaux) {
        if (QFileInfo::exists(dossier))
            return QStringLiteral("Le dossier %1 existe déjà : l'établissement n'a pas été renommé.").arg(dossier);
    }
    // The folders there before the first move: a moved folder may take the
    // name of an old folder that was never made ("X" renamed "X BR").
    QList<qsizetype> aRenommer;
    for (qsizetype i = 0; i < anciens.size(); ++i) {
        if (QFileInfo::exists(anciens[i]))
            aRenommer << i;
    }
    QList<qsizetype> renommes;
    // Gives the moved folders their former names back, last moved first;
    // says which of them keep the new name.
    const auto defaire = [&] {
        QStringList restes;
        for (auto i = renommes.crbegin(); i != renommes.crend(); ++i) {
            if (!QDir().rename(nouveaux[*i], anciens[*i]))
                restes << QStringLiteral("%1 (au lieu de %2)").arg(nouveaux[*i], anciens[*i]);
        }
        if (restes.isEmpty())
            return QString();
        return QStringLiteral("\nCes dossiers n'ont pas pu reprendre leur ancien nom et portent le nouveau :\n%1")
            .arg(restes.join(u'\n'));
    };
    for (const qsizetype i : aRenommer) {
        if (!QDir().rename(anciens[i], nouveaux[i])) {
            return QStringLiteral("Le dossier %1 n'a pas pu être renommé en %2 : l'établissement garde son nom.")
                       .arg(anciens[i], nouveaux[i])
                + defaire();
        }
        renommes << i;
    }
    try {
        base::db().exec(QStringLiteral("UPDATE Etablissements SET Nom = ?1 WHERE CdeEtablissement = ?2"),
                        {nouveauNom, code});
    } catch (const db::Error& erreur) {
        return report::logged(erreur) + QStringLiteral(" L'établissement garde son nom.") + defaire();
    }
    return {};
}

void changerCodePostal(const QString& code, const QString& codePostal)
{
    base::db().exec(QStringLiteral("UPDATE Etablissements SET \"Code Postal\" = ?1 WHERE CdeEtablissement = ?2"),
                    {codePostal, code});
}

} // namespace etablissements
