#include "photographer/deliveries/echange.h"

#include "common/database.h"
#include "common/files.h"
#include "common/paths.h"
#include "common/report.h"
#include "photographer/data/base.h"
#include "photographer/deliveries/lignes_tables.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>

namespace echange {

namespace {

using livraison::Issue;
namespace lt = lignes_tables;

const QStringList kEleves = {QStringLiteral("CodeEtablissement"), QStringLiteral("Classe"), QStringLiteral("Nom"),
                             QStringLiteral("Prenom"), QStringLiteral("Naissance"), QStringLiteral("Regime"),
                             QStringLiteral("INE"), QStringLiteral("NumInterne"), QStringLiteral("NomPhoto")};

// Which rows of a table travel ("" for the whole table); ?1 is the
// establishment's key.
QString filtre(const QString& table)
{
    static const QHash<QString, QString> filtres = {
        {QStringLiteral("Etablissements"), QStringLiteral("CdeEtablissement = ?1")},
        {QStringLiteral("Eleves"), QStringLiteral("CodeEtablissement = ?1")},
        {QStringLiteral("Photographe"), QStringLiteral("rowid = (SELECT min(rowid) FROM Photographe)")},
        {QStringLiteral("RecTarifs"), QStringLiteral("RecCodeEtablissement = ?1")},
        // A pack without a public price is not offered to this establishment.
        {QStringLiteral("RecPochetteInc"), QStringLiteral("CodeEtab = ?1 AND COALESCE(RecPrixPublic, '') <> ''")},
    };
    return filtres.value(table);
}

// Fills the work copy; a failure names the exchange file.
QString copierVers(const QString& travail, const QString& fichier, const QString& codeEtab, int& nbEleves)
{
    try {
        db::Database cible(travail);
        db::Database::Transaction transaction(cible);
        for (const Table& table : tables()) {
            const QString condition = filtre(table.nom);
            const QString sql = QStringLiteral("SELECT %1 FROM \"%2\" WHERE %3 ORDER BY rowid")
                                    .arg(lt::colonnes(table.colonnes), table.nom,
                                         condition.isEmpty() ? QStringLiteral("1") : condition);
            const db::Rows lignes =
                base::db().query(sql, condition.contains(u"?1") ? db::Params{codeEtab} : db::Params{});
            if (table.nom == u"Eleves")
                nbEleves = int(lignes.size());
            lt::inserer(cible, table.nom, table.colonnes, lignes);
        }
        transaction.commit();
    } catch (const db::Error& erreur) {
        return livraison::ecritureImpossible(fichier, erreur.message());
    }
    return {};
}

// Removes the work copy, and the journal of one that a stopped export left:
// the next copy must not be rolled back from it.
void oublier(const QString& travail)
{
    QFile::remove(travail);
    QFile::remove(travail + QStringLiteral("-journal"));
}

QString nomEtablissement(const QString& codeEtab, QString& nom)
{
    try {
        const db::Rows ligne = base::db().query(
            QStringLiteral("SELECT Nom FROM Etablissements WHERE CdeEtablissement = ?1"), {codeEtab});
        if (ligne.empty())
            return QStringLiteral("L'établissement à exporter n'existe plus dans la base.");
        nom = ligne.front().at(0);
    } catch (const db::Error& erreur) {
        report::detail(erreur.detail());
        return QStringLiteral("La base de données « %1 » n'a pas pu être lue : l'exportation est impossible.")
            .arg(QDir::toNativeSeparators(base::cheminBase()));
    }
    return livraison::refusNom(nom);
}

} // namespace

const std::vector<Table>& tables()
{
    static const std::vector<Table> liste = {
        {QStringLiteral("Etablissements"), lt::kEtablissement},
        {QStringLiteral("Eleves"), kEleves},
        {QStringLiteral("Photographe"), lt::kPhotographe},
        {QStringLiteral("RecTarifs"), QStringList{QStringLiteral("RecCodeEtablissement")} + lt::kRecTarifs},
        {QStringLiteral("RecPochetteInc"), QStringList{QStringLiteral("CodeEtab")} + lt::kRecPochetteInc},
        {QStringLiteral("Articles"),
         {QStringLiteral("RefArticle"), QStringLiteral("NomArticle"), QStringLiteral("PrixUnitaireTTC"),
          QStringLiteral("PrixUnitaireRecTTC")}},
        {QStringLiteral("Pochette"),
         {QStringLiteral("RefPochette"), QStringLiteral("NomPochette"), QStringLiteral("PrixPochetteTTC"),
          QStringLiteral("PrixRecPochetteTTC")}},
        {QStringLiteral("PochetteIncomplete"),
         {QStringLiteral("NbArticlesTxt"), QStringLiteral("NbArticles"), QStringLiteral("LibArticle"),
          QStringLiteral("PrixPhotographe")}},
    };
    return liste;
}

Issue exporter(const QString& codeEtab, const livraison::Avancement& avancement)
{
    QString nom;
    if (QString refus = nomEtablissement(codeEtab, nom); !refus.isEmpty())
        return Issue::echec(refus);
    const QString modele = paths::join(paths::programDir(), {QString::fromLatin1(kModele)});
    if (!QFileInfo(modele).isFile())
        return Issue::echec(QStringLiteral("Le fichier « %1 » est introuvable dans le dossier du programme : "
                                           "l'exportation est impossible.")
                                .arg(QDir::toNativeSeparators(modele)));
    const QString dossier = paths::join(paths::desktop(), {QStringLiteral("Operateur")});
    if (QString erreur = livraison::creerDossier(dossier); !erreur.isEmpty())
        return Issue::echec(erreur);
    avancement(10);

    // Filled under a hidden work name, then copied whole over the file: an
    // export that fails leaves no half-filled file behind, and the earlier
    // one intact.
    const QString fichier = paths::join(dossier, {paths::component(nom + QStringLiteral(".att"))});
    const QString travail = files::builtAsideFor(fichier);
    oublier(travail);
    int nbEleves = 0;
    QString erreur = files::copyWhole(modele, travail, files::Sync::Later);
    if (erreur.isEmpty()) {
        avancement(20);
        erreur = copierVers(travail, fichier, codeEtab, nbEleves);
    }
    if (erreur.isEmpty())
        erreur = files::copyWhole(travail, fichier);
    oublier(travail);
    if (!erreur.isEmpty())
        return Issue::echec(livraison::nomLivre(erreur, travail, fichier));
    avancement(100);
    return Issue::succes(QStringLiteral("Exportation terminée. L'établissement compte : %1 élèves.").arg(nbEleves),
                         dossier);
}

} // namespace echange
