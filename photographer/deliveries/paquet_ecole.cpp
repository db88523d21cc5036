#include "photographer/deliveries/paquet_ecole.h"

#include "common/database.h"
#include "common/files.h"
#include "common/paths.h"
#include "common/pictures.h"
#include "common/report.h"
#include "common/text.h"
#include "common/wallclock.h"
#include "photographer/data/base.h"
#include "photographer/deliveries/lignes_tables.h"
#include "photographer/deliveries/liste_labo.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>

namespace paquet_ecole {

namespace {

using livraison::Issue;
namespace lt = lignes_tables;

// The school's Etablissement names the postcode column without its blank.
QStringList colonnesEtablissementEcole()
{
    QStringList colonnes = lt::kEtablissement;
    colonnes.replace(colonnes.indexOf(QStringLiteral("Code Postal")), QStringLiteral("CodePostal"));
    return colonnes;
}

// The school's TarifPochIncom keeps no pack reference: an incomplete pack's
// resale-price columns but RecNbArticleTxt.
QStringList colonnesIncompletesEcole()
{
    QStringList colonnes = lt::kRecPochetteInc;
    colonnes.removeOne(QStringLiteral("RecNbArticleTxt"));
    return colonnes;
}

QString fichierProgramme(const char* nom)
{
    return paths::join(paths::programDir(), {QString::fromLatin1(nom)});
}

// What the package carries, read from the photographer database first, so
// that an establishment that cannot be delivered leaves the desktop as it was.
struct Contenu {
    QString nom;
    db::Rows etablissement;
    db::Rows eleves;
    db::Rows photographe;
    db::Rows tarifs;
    db::Rows tarifsIncomplets;
};

QString lire(const QString& codeEtab, Contenu& contenu)
{
    db::Database& base = base::db();
    contenu.etablissement = base.query(QStringLiteral("SELECT %1 FROM Etablissements WHERE CdeEtablissement = ?1")
                                           .arg(lt::colonnes(lt::kEtablissement)),
                                       {codeEtab});
    if (contenu.etablissement.empty())
        return QStringLiteral("L'établissement à livrer n'existe plus dans la base.");
    contenu.nom = contenu.etablissement.front()[u"Nom"];
    // The order code is the student's key; it also names the picture.
    contenu.eleves = base.query(QStringLiteral("SELECT Classe, Nom, Prenom, Naissance, Regime, INE, NumInterne, "
                                               "CdeEleves, CdeEleves FROM Eleves WHERE CodeEtablissement = ?1 "
                                               "ORDER BY CdeEleves"),
                                {codeEtab});
    if (contenu.eleves.empty())
        return QStringLiteral("L'établissement « %1 » n'a aucun élève : il n'y a rien à livrer.").arg(contenu.nom);
    contenu.photographe = base.query(
        QStringLiteral("SELECT %1 FROM Photographe ORDER BY rowid LIMIT 1").arg(lt::colonnes(lt::kPhotographe)));
    contenu.tarifs = base.query(QStringLiteral("SELECT %1 FROM RecTarifs WHERE RecCodeEtablissement = ?1 ORDER BY rowid")
                                    .arg(lt::colonnes(lt::kRecTarifs)),
                                {codeEtab});
    contenu.tarifsIncomplets = base.query(QStringLiteral("SELECT %1 FROM RecPochetteInc WHERE CodeEtab = ?1 ORDER BY rowid")
                                              .arg(lt::colonnes(colonnesIncompletesEcole())),
                                          {codeEtab});
    return {};
}

QString verifierFichiersProgramme()
{
    for (const char* nom : {kModele, kInstalleur, kFinalisation}) {
        const QString fichier = fichierProgramme(nom);
        if (!QFileInfo(fichier).isFile())
            return QStringLiteral("Le fichier « %1 » est introuvable dans le dossier du programme : le transfert "
                                  "est impossible.")
                .arg(QDir::toNativeSeparators(fichier));
    }
    return {};
}

// Only the pictures of the students the package carries: a student deleted
// at the shoot, or one of another establishment filed in the same folder, is
// not delivered. Each goes under its order code, the name the school looks
// for first. Answers the number of students without a picture.
QString copierPhotos(const Contenu& contenu, const QString& images, const livraison::Avancement& avancement,
                     int& sansPhoto)
{
    const QString source = dossiers_etab::de(contenu.nom).donnees;
    std::vector<livraison::Copie> copies;
    for (const db::Row& eleve : contenu.eleves) {
        const QString code = eleve[u"CdeEleves"];
        const QString photo = pictures::findStudentPicture(source, code, eleve[u"Nom"], eleve[u"Prenom"]);
        if (photo.isEmpty())
            ++sansPhoto;
        else
            copies.push_back({photo, paths::join(images, {code + QStringLiteral(".jpg")})});
    }
    const int total = int(copies.size());
    return livraison::copier(copies, [&](int faites) { avancement(5 + 75 * faites / total); });
}

QString copierFichiersProgramme(const QString& paquet)
{
    std::vector<livraison::Copie> copies = {
        {fichierProgramme(kModele), paths::join(paquet, {QString::fromLatin1(kBaseEcole)})},
        {fichierProgramme(kInstalleur), paths::join(paquet, {QString::fromLatin1(kInstalleur)})},
        {fichierProgramme(kFinalisation), paths::join(paquet, {QString::fromLatin1(kFinalisation)})}};
    if (QString erreur = livraison::copier(copies); !erreur.isEmpty())
        return erreur;
    // The school runs the scripts from the disc as they are.
    const auto executable = QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadGroup
                            | QFile::ExeGroup | QFile::ReadOther | QFile::ExeOther;
    for (std::size_t i = 1; i < copies.size(); ++i) {
        if (!QFile::setPermissions(copies[i].cible, executable))
            return livraison::ecritureImpossible(copies[i].cible);
    }
    return {};
}

QString remplirBaseEcole(const QString& fichier, const Contenu& contenu)
{
    try {
        db::Database ecole(fichier);
        db::Database::Transaction transaction(ecole);
        lt::inserer(ecole, QStringLiteral("Eleves"),
                    {QStringLiteral("Classe"), QStringLiteral("Nom"), QStringLiteral("Prenom"),
                     QStringLiteral("Naissance"), QStringLiteral("Regime"), QStringLiteral("INE"),
                     QStringLiteral("NumInterne"), QStringLiteral("NomPhoto"), QStringLiteral("CodeEtablissement")},
                    contenu.eleves);
        lt::inserer(ecole, QStringLiteral("Etablissement"), colonnesEtablissementEcole(), contenu.etablissement);
        lt::inserer(ecole, QStringLiteral("Photographe"), lt::kPhotographe, contenu.photographe);
        lt::inserer(ecole, QStringLiteral("Tarifs"), lt::sansPrefixeRec(lt::kRecTarifs), contenu.tarifs);
        lt::inserer(ecole, QStringLiteral("TarifPochIncom"), lt::sansPrefixeRec(colonnesIncompletesEcole()),
                    contenu.tarifsIncomplets);
        transaction.commit();
    } catch (const db::Error& erreur) {
        return livraison::ecritureImpossible(fichier, erreur.message());
    }
    return {};
}

// The digest of a file's bytes as the list gives it (lowercase hex), or ""
// when the file cannot be read through.
QByteArray empreinte(const QString& fichier)
{
    QFile lu(fichier);
    QCryptographicHash hachage(QCryptographicHash::Sha256);
    if (!lu.open(QIODevice::ReadOnly) || !hachage.addData(&lu))
        return {};
    return hachage.result().toHex();
}

// The package's files with their sizes and digests, read back as they were
// written, and their count last: the installer tells a whole package from a
// cut or changed one before it touches the school's data.
QString ecrireContenu(const QString& paquet)
{
    const QDir racine(paquet);
    QStringList chemins;
    QDirIterator it(paquet, QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
    while (it.hasNext())
        chemins.append(racine.relativeFilePath(it.next()));
    chemins.sort();
    QByteArray lignes;
    for (const QString& chemin : chemins) {
        const QString fichier = racine.filePath(chemin);
        const QByteArray somme = empreinte(fichier);
        if (somme.isEmpty())
            return QStringLiteral("Le fichier « %1 » n'a pas pu être relu.").arg(QDir::toNativeSeparators(fichier));
        lignes += QByteArray::number(QFileInfo(fichier).size()) + '\t' + somme + '\t' + QFile::encodeName(chemin) + '\n';
    }
    lignes += "fichiers\t" + QByteArray::number(chemins.size()) + '\n';
    return files::writeWhole(paths::join(paquet, {QString::fromLatin1(kContenu)}), lignes, files::Sync::InBuiltFolder);
}

// Every file of the package, in the folder being built; the list of its
// files last, once all of them are written.
QString construire(const QString& paquet, const Contenu& contenu, const livraison::Avancement& avancement,
                   int& sansPhoto)
{
    const QString images = paths::join(paquet, {QStringLiteral("images")});
    if (QString erreur = livraison::creerDossier(images); !erreur.isEmpty())
        return erreur;
    avancement(5);
    if (QString erreur = copierPhotos(contenu, images, avancement, sansPhoto); !erreur.isEmpty())
        return erreur;
    avancement(80);
    if (QString erreur = copierFichiersProgramme(paquet); !erreur.isEmpty())
        return erreur;
    avancement(85);
    if (QString erreur = remplirBaseEcole(paths::join(paquet, {QString::fromLatin1(kBaseEcole)}), contenu);
        !erreur.isEmpty())
        return erreur;
    return ecrireContenu(paquet);
}

QString ecrireListeLabo(const Contenu& contenu)
{
    std::vector<liste_labo::Ligne> lignes;
    lignes.reserve(contenu.eleves.size());
    for (const db::Row& eleve : contenu.eleves)
        lignes.push_back({eleve[u"CdeEleves"], eleve[u"Nom"], eleve[u"Prenom"]});
    const QString fichier = paths::join(livraison::racineLabo(),
                                        {liste_labo::nomFichier(contenu.nom, wallclock::now())});
    return text::writeLines(fichier, liste_labo::lignes(lignes), text::Unmappable::Question);
}

} // namespace

Issue livrer(const QString& codeEtab, const livraison::Avancement& avancement)
{
    Contenu contenu;
    try {
        if (QString refus = lire(codeEtab, contenu); !refus.isEmpty())
            return Issue::echec(refus);
    } catch (const db::Error& erreur) {
        report::detail(erreur.detail());
        return Issue::echec(QStringLiteral("La base de données « %1 » n'a pas pu être lue : le transfert est impossible.")
                                .arg(QDir::toNativeSeparators(base::cheminBase())));
    }
    if (QString refus = livraison::refusNom(contenu.nom); !refus.isEmpty())
        return Issue::echec(refus);
    if (QString erreur = verifierFichiersProgramme(); !erreur.isEmpty())
        return Issue::echec(erreur);
    for (const QString& dossier : {livraison::racineAGraver(), livraison::racineLabo()}) {
        if (QString erreur = livraison::creerDossier(dossier); !erreur.isEmpty())
            return Issue::echec(erreur);
    }

    int sansPhoto = 0;
    if (QString erreur = livraison::construireAPart(
            paths::join(livraison::racineAGraver(), {paths::component(contenu.nom)}),
            [&](const QString& paquet) { return construire(paquet, contenu, avancement, sansPhoto); });
        !erreur.isEmpty())
        return Issue::echec(erreur);
    avancement(95);
    if (QString erreur = ecrireListeLabo(contenu); !erreur.isEmpty())
        return Issue::echec(erreur);
    avancement(100);
    QString fin = QStringLiteral("Transfert terminé. Vous pouvez graver le contenu du dossier A GRAVER\\%1 situé sur le "
                                 "bureau")
                      .arg(contenu.nom);
    if (sansPhoto > 0)
        fin += QStringLiteral("\n\r%1 élève(s) sans photo.").arg(sansPhoto);
    return Issue::succes(fin, livraison::racineAGraver());
}

} // namespace paquet_ecole
