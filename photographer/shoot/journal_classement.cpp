#include "photographer/shoot/journal_classement.h"

#include "photographer/data/base.h"
#include "photographer/data/roster.h"
#include "photographer/data/travaux_etab.h"

#include <QFile>

namespace journal_classement {

namespace {

const QString kColonnes = QStringLiteral(
    "Fichier, Taille, Empreinte, EmpreintePhoto, Degres, CdeEleves, CodeEtablissement, Classe, Nom, Prenom, "
    "Archive, Photo, BR, BR3, Remplacees, NonClassees, OriginalGarde");

void effacerDans(db::Database& database, const QList<qint64>& cles)
{
    for (const qint64 cle : cles)
        database.exec(QStringLiteral("DELETE FROM JournalClassement WHERE CdeClassement = ?"), {cle});
}

// Names that are not valid UTF-8 are kept byte for byte.
QString texteFichier(const QByteArray& fichier)
{
    return QString::fromLatin1(fichier.toPercentEncoding("/ "));
}

// The filing's paths under its establishment's folders as they are named now.
void releverLieux(Classement& c)
{
    capture::Destinations& d = c.destinations;
    const travaux_etab::Lieux lieux = travaux_etab::lieuxActuels(
        c.codeEtab, {d.archive, d.picture, d.lowRes, d.lowRes3, d.replaced, d.unfiled, c.originalGarde});
    if (lieux.refus.isEmpty()) {
        const QStringList& l = lieux.chemins;
        d = {l[0], l[1], l[2], l[3], l[4], l[5]};
        c.originalGarde = l[6];
        return;
    }
    c.ailleurs = lieux.refus;
    c.plusTard = lieux.plusTard;
    d.unfiled = capture::destinations(lieux.actuels, c.classe, c.nom, c.prenom, c.cdeEleve).unfiled;
}

} // namespace

QString Classement::nomFichier() const
{
    return QFile::decodeName(fichier.mid(fichier.lastIndexOf('/') + 1));
}

QString Classement::eleve() const
{
    return QStringLiteral("%1 %2 (classe %3)").arg(nom, prenom, classe);
}

qint64 inscrire(const QString& cheminBase, const Classement& c, const QList<qint64>& aEffacer)
{
    const capture::Destinations& d = c.destinations;
    db::Database database(cheminBase);
    db::Database::Transaction transaction(database);
    effacerDans(database, aEffacer);
    const qint64 cle = database.insert(
        QStringLiteral("INSERT INTO JournalClassement (%1, Fait) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, "
                       "?, '')").arg(kColonnes),
        {texteFichier(c.fichier), QString::number(c.camera.size), QString::fromLatin1(c.camera.digest),
         QString::fromLatin1(c.photo), QString::number(c.degres), c.cdeEleve, c.codeEtab, c.classe, c.nom, c.prenom,
         d.archive, d.picture, d.lowRes, d.lowRes3, d.replaced, d.unfiled, c.originalGarde});
    transaction.commit();
    return cle;
}

bool terminer(const Classement& c)
{
    db::Database& database = base::db();
    db::Database::Transaction transaction(database);
    if (database.exec(QStringLiteral("UPDATE Eleves SET NomPhoto = ? WHERE CdeEleves = ? AND CodeEtablissement = ?"),
                      {c.nomFichier(), roster::cleParam(c.cdeEleve), c.codeEtab}) == 0)
        return false;
    database.exec(QStringLiteral("UPDATE JournalClassement SET Fait = '1' WHERE CdeClassement = ?"), {c.cle});
    transaction.commit();
    return true;
}

bool eleveExiste(const Classement& c)
{
    return !base::db().query(QStringLiteral("SELECT CdeEleves FROM Eleves WHERE CdeEleves = ? AND CodeEtablissement = ?"),
                            {roster::cleParam(c.cdeEleve), c.codeEtab}).empty();
}

void effacer(const QList<qint64>& cles)
{
    if (cles.isEmpty())
        return;
    db::Database& database = base::db();
    db::Database::Transaction transaction(database);
    effacerDans(database, cles);
    transaction.commit();
}

std::vector<Classement> restants()
{
    std::vector<Classement> result;
    // A base that cannot record a filing's end must not have its files moved:
    // what was cut waits for a start on a writable base.
    if (base::db().readOnly())
        return result;
    for (const db::Row& row : base::db().query(
             QStringLiteral("SELECT CdeClassement, %1, Fait FROM JournalClassement ORDER BY CdeClassement").arg(kColonnes))) {
        Classement c;
        c.cle = row[u"CdeClassement"].toLongLong();
        c.fichier = QByteArray::fromPercentEncoding(row[u"Fichier"].toLatin1());
        c.camera = {row[u"Taille"].toLongLong(), row[u"Empreinte"].toLatin1()};
        c.photo = row[u"EmpreintePhoto"].toLatin1();
        c.degres = row[u"Degres"].toInt();
        c.cdeEleve = row[u"CdeEleves"];
        c.codeEtab = row[u"CodeEtablissement"];
        c.classe = row[u"Classe"];
        c.nom = row[u"Nom"];
        c.prenom = row[u"Prenom"];
        c.destinations = {row[u"Archive"], row[u"Photo"], row[u"BR"], row[u"BR3"], row[u"Remplacees"],
                          row[u"NonClassees"]};
        c.originalGarde = row[u"OriginalGarde"];
        c.fait = row[u"Fait"] == u"1";
        if (!c.fait)
            releverLieux(c);
        result.push_back(std::move(c));
    }
    return result;
}

} // namespace journal_classement
