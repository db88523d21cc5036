#include "photographer/deliveries/echange.h"

#include "common/database.h"
#include "common/files.h"
#include "common/paths.h"
#include "common/report.h"
#include "common/text.h"
#include "photographer/data/base.h"
#include "photographer/data/etablissements.h"
#include "photographer/data/noms_photos.h"
#include "photographer/deliveries/lignes_tables.h"

#include <QDir>
#include <QSet>

#include <memory>


namespace echange {

namespace {

namespace lt = lignes_tables;

QString illisible(const QString& fichier, const QString& raison)
{
    return QStringLiteral("Le fichier « %1 » n'est pas un fichier établissement valide (%2). Rien n'a été importé.")
        .arg(QDir::toNativeSeparators(fichier), raison);
}

// Why the work copy is not an exchange file of ours; "" when it is.
QString raisonRefus(db::Database& copie)
{
    for (const Table& table : tables()) {
        if (!copie.hasTable(table.nom))
            return QStringLiteral("la table %1 manque").arg(table.nom);
        QSet<QString> presentes;
        for (const db::Row& colonne :
             copie.query(QStringLiteral("SELECT name FROM pragma_table_info(?1)"), {table.nom}))
            presentes.insert(colonne.at(0));
        for (const QString& colonne : table.colonnes) {
            if (!presentes.contains(colonne))
                return QStringLiteral("la colonne %1 de la table %2 manque").arg(colonne, table.nom);
        }
    }
    return {};
}

// A failure to read the chosen file, told apart from one of the photographer
// database: only the first may blame the file.
struct FichierIllisible {
    db::Error erreur;
};

// Runs a read of the chosen file's work copy; its failure is the file's.
template <class Lecture>
auto dansLeFichier(Lecture lecture) -> decltype(lecture())
{
    try {
        return lecture();
    } catch (const db::Error& erreur) {
        throw FichierIllisible{erreur};
    }
}

// The rows with every value in composed form: a file made elsewhere may
// spell an accent apart from its letter.
db::Rows composees(const db::Rows& lignes, const QStringList& colonnes)
{
    const auto noms = std::make_shared<const QStringList>(colonnes);
    db::Rows resultat;
    resultat.reserve(lignes.size());
    for (const db::Row& ligne : lignes) {
        QStringList valeurs;
        for (int i = 0; i < ligne.size(); ++i)
            valeurs.append(text::composed(ligne.at(i)));
        resultat.emplace_back(noms, valeurs);
    }
    return resultat;
}

// The rows of a table of the file, in the order of its exchange columns;
// given a key, the first column (the establishment's key) carries it instead.
db::Rows lire(db::Database& copie, const Table& table, const QString& cle = {}, const QString& condition = {})
{
    const QString colonnes = cle.isEmpty() ? lt::colonnes(table.colonnes)
                                           : QStringLiteral("?1, ") + lt::colonnes(table.colonnes.mid(1));
    return composees(dansLeFichier([&] {
        return copie.query(QStringLiteral("SELECT %1 FROM \"%2\" WHERE %3 ORDER BY rowid")
                               .arg(colonnes, table.nom, condition.isEmpty() ? QStringLiteral("1") : condition),
                           cle.isEmpty() ? db::Params{} : db::Params{cle});
    }), table.colonnes);
}

// Why the file's establishment cannot be added under its name; "" when it can.
// Throws db::Error (the photographer database).
QString refusNom(const QString& nom)
{
    if (nom.contains(u'/'))
        return QStringLiteral("Le nom « %1 » contient le caractère « / », qui ne peut pas servir dans un nom de "
                              "dossier.")
            .arg(nom);
    return etablissements::refusNom(nom);
}

// Why the establishment cannot be given its folders: old pictures in them
// would be shown and delivered as its new students' (keys start from 1 again
// once the database was emptied). "" when none holds anything. Nothing is
// moved or deleted: only the photographer knows whose pictures they are.
QString refusDossiers(const QString& fichier, const QString& nom)
{
    const QStringList occupes = dossiers_etab::occupes(dossiers_etab::de(nom));
    if (occupes.isEmpty())
        return {};
    QString message =
        QStringLiteral("Le fichier « %1 » n'a pas été importé : ").arg(QDir::toNativeSeparators(fichier));
    if (occupes.size() == 1) {
        message += QStringLiteral("le dossier « %1 » existe déjà et contient des fichiers, qui seraient pris pour les "
                                  "photos des élèves importés. Renommez ou déplacez ce dossier")
                       .arg(QDir::toNativeSeparators(occupes.front()));
    } else {
        message += QStringLiteral("ces dossiers existent déjà et contiennent des fichiers, qui seraient pris pour les "
                                  "photos des élèves importés :");
        for (const QString& dossier : occupes)
            message += QStringLiteral("\n« %1 »").arg(QDir::toNativeSeparators(dossier));
        message += QStringLiteral("\nRenommez ou déplacez ces dossiers");
    }
    return message + QStringLiteral(", puis importez de nouveau le fichier. Rien n'a été importé.");
}

// Why the file's students cannot be imported: a class or a name holds a
// control character, or one of them has names too long for their picture
// files. "" when every one fits.
QString refusNomsEleves(db::Database& copie, const QString& fichier)
{
    // Checked as they will be stored: composed.
    const db::Rows eleves = composees(
        dansLeFichier([&] { return copie.query(QStringLiteral("SELECT Classe, Nom, Prenom FROM Eleves ORDER BY rowid")); }),
        {QStringLiteral("Classe"), QStringLiteral("Nom"), QStringLiteral("Prenom")});
    for (const db::Row& eleve : eleves) {
        const QString classe = eleve[u"Classe"], nom = eleve[u"Nom"], prenom = eleve[u"Prenom"];
        for (const auto& [valeur, champ] : {std::pair{classe, QStringLiteral("sa classe")},
                                            std::pair{nom, QStringLiteral("son nom")},
                                            std::pair{prenom, QStringLiteral("son prénom")}}) {
            if (const QString controle = paths::controlRefusal(valeur, champ); !controle.isEmpty())
                return QStringLiteral("L'élève %1 %2 (classe %3) du fichier « %4 » ne peut pas être importé : %5 Rien "
                                      "n'a été importé.")
                    .arg(nom.simplified(), prenom.simplified(), classe.simplified(), QDir::toNativeSeparators(fichier),
                         controle);
        }
        const noms_photos::Longueur longueur = noms_photos::longueur(classe, nom, prenom);
        if (!longueur.tient())
            return QStringLiteral("La classe, le nom et le prénom de l'élève %1 %2 (classe %3) du fichier « %4 » sont "
                                  "trop longs pour nommer ses photos : ensemble, %5. Rien n'a été importé.")
                .arg(nom, prenom, classe, QDir::toNativeSeparators(fichier), longueur.limite());
    }
    return {};
}

void ecrire(db::Database& copie, const db::Rows& etablissement, Importation& resultat,
            const livraison::Avancement& avancement)
{
    db::Database& base = base::db();
    db::Database::Transaction transaction(base);
    db::Params valeurs;
    for (int i = 0; i < etablissement.front().size(); ++i)
        valeurs.append(etablissement.front().at(i));
    resultat.code = QString::number(base.insert(
        QStringLiteral("INSERT INTO Etablissements (%1) VALUES (?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8, ?9, ?10)")
            .arg(lt::colonnes(lt::kEtablissement)),
        valeurs));
    avancement(40);
    int etape = 0;
    for (const Table& table : tables()) {
        if (table.nom == u"Etablissements" || table.nom == u"Photographe")
            continue; // the photographer's own record is never replaced
        if (table.nom == u"RecTarifs" || table.nom == u"RecPochetteInc" || table.nom == u"Eleves") {
            // The establishment's rows: keyed to the new establishment.
            const QString condition = table.nom == u"RecPochetteInc"
                ? QStringLiteral("COALESCE(RecPrixPublic, '') <> ''")
                : QString();
            lt::inserer(base, table.nom, table.colonnes, lire(copie, table, resultat.code, condition));
        } else {
            // The catalogue: the file's replaces this machine's.
            base.exec(QStringLiteral("DELETE FROM \"%1\"").arg(table.nom));
            lt::inserer(base, table.nom, table.colonnes, lire(copie, table));
        }
        avancement(40 + 8 * ++etape);
    }
    transaction.commit();
}

} // namespace

Importation importer(const QString& fichier, const livraison::Avancement& avancement)
{
    Importation resultat;
    const QString travail = paths::join(paths::dataDir(), {QStringLiteral("zlsyst.imp")});
    if (!files::copyWhole(fichier, travail).isEmpty()) {
        resultat.erreur = QStringLiteral("Le fichier « %1 » n'a pas pu être copié vers « %2 ». Rien n'a été importé.")
                              .arg(QDir::toNativeSeparators(fichier), QDir::toNativeSeparators(travail));
        return resultat;
    }
    avancement(2);
    try {
        const auto copie = dansLeFichier([&] { return std::make_unique<db::Database>(travail); });
        if (QString raison = dansLeFichier([&] { return raisonRefus(*copie); }); !raison.isEmpty()) {
            resultat.erreur = illisible(fichier, raison);
            return resultat;
        }
        const db::Rows etablissement = lire(*copie, tables().front());
        if (etablissement.empty()) {
            resultat.erreur = illisible(fichier, QStringLiteral("il ne contient aucun établissement"));
            return resultat;
        }
        resultat.nom = etablissement.front().at(0);
        if (const QString refus = refusNom(resultat.nom); !refus.isEmpty()) {
            resultat.erreur = refus + QStringLiteral(" Rien n'a été importé.");
            return resultat;
        }
        if (QString refus = refusDossiers(fichier, resultat.nom); !refus.isEmpty()) {
            resultat.erreur = refus;
            return resultat;
        }
        if (QString refus = refusNomsEleves(*copie, fichier); !refus.isEmpty()) {
            resultat.erreur = refus;
            return resultat;
        }
        avancement(30);
        ecrire(*copie, etablissement, resultat, avancement);
    } catch (const FichierIllisible& illisibilite) {
        report::detail(illisibilite.erreur.detail());
        resultat.code.clear();
        resultat.erreur = QStringLiteral("Le fichier « %1 » n'a pas pu être importé : il n'est pas lisible comme "
                                         "fichier établissement. Rien n'a été importé.")
                              .arg(QDir::toNativeSeparators(fichier));
        return resultat;
    } catch (const db::Error& erreur) {
        // The photographer database refused: the file is not to blame.
        resultat.code.clear();
        resultat.erreur = report::logged(erreur) + QStringLiteral(" Rien n'a été importé.");
        return resultat;
    }
    avancement(90);
    const dossiers_etab::Dossiers dossiers = dossiers_etab::de(resultat.nom);
    for (const QString& dossier : {dossiers.donnees, dossiers.archive}) {
        if (QString erreur = livraison::creerDossier(dossier); !erreur.isEmpty()) {
            resultat.erreur = erreur + QStringLiteral(" L'établissement a bien été importé.");
            return resultat;
        }
    }
    avancement(100);
    return resultat;
}

} // namespace echange
