#include "school/data/photos_en_attente.h"

#include "common/digest.h"
#include "common/paths.h"
#include "common/report.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

extern const char* const photosEnAttenteSchema;

namespace {

// What proves a picture whole: its size and the digest of its bytes, as the row holds them as text.
struct Empreinte {
    QString taille, empreinte;
};

// Empty when the file cannot be read through.
Empreinte empreinteDe(const QString& chemin)
{
    const digest::Fingerprint lue = digest::fingerprintOf(QFile::encodeName(chemin));
    if (!lue.known())
        return {};
    return {QString::number(lue.size), QString::fromLatin1(lue.digest)};
}

// Whether the file at chemin holds the bytes the row recorded. Rows written before both programs
// shared one digest hold a SHA-256 one: a picture an earlier Vizmora left waiting still takes its
// place.
bool tient(const QString& chemin, const Empreinte& attendue)
{
    const digest::Fingerprint notee{attendue.taille.toLongLong(), attendue.empreinte.toLatin1()};
    const QByteArray fichier = QFile::encodeName(chemin);
    return !attendue.empreinte.isEmpty()
        && (digest::holds(fichier, notee) || digest::holds(fichier, notee, digest::Algorithm::Sha256));
}

} // namespace

PhotoEnAttente::PhotoEnAttente(QString target) : fichier_(std::move(target)) {}

bool PhotoEnAttente::ecrire(const QByteArray& octets)
{
    return fichier_.write(octets);
}

bool PhotoEnAttente::copier(const QString& source)
{
    return fichier_.copyFrom(source);
}

void PhotoEnAttente::noter(db::Database& base, qint64 cdeEleves)
{
    // The digest of the bytes on the disk, read back: they are what the next start will find.
    const Empreinte empreinte = empreinteDe(fichier_.temporary());
    if (empreinte.empreinte.isEmpty())
        throw db::Error(QStringLiteral("La photo %1 n'a pas pu être relue : rien n'est enregistré.")
                            .arg(QDir::toNativeSeparators(cible())),
                        fichier_.temporary() + QStringLiteral(" : relecture impossible"));
    base.script(QString::fromUtf8(photosEnAttenteSchema));
    note_ = base.insert(QStringLiteral("INSERT INTO PhotosEnAttente (CdeEleves, Temporaire, Photo, Taille, Empreinte)"
                                       " VALUES (?, ?, ?, ?, ?)"),
                        {QString::number(cdeEleves), QFileInfo(fichier_.temporary()).fileName(),
                         QFileInfo(cible()).fileName(), empreinte.taille, empreinte.empreinte});
}

bool PhotoEnAttente::mettreEnPlace(db::Database& base)
{
    if (!fichier_.commit()) {
        fichier_.discard();
        return false;
    }
    // A record that cannot go now is settled by the next start, from the picture in place.
    try {
        oublier(base);
    } catch (const db::Error& erreur) {
        report::logged(erreur);
    }
    return true;
}

void PhotoEnAttente::oublier(db::Database& base)
{
    if (note_ == 0)
        return;
    base.exec(QStringLiteral("DELETE FROM PhotosEnAttente WHERE CdeAttente = ?"), {note_});
    note_ = 0;
}

namespace photos_en_attente {

namespace {

QString eleve(const db::Row& attente)
{
    const QString nom = (attente[u"Nom"] + u' ' + attente[u"Prenom"]).trimmed();
    const QString classe = attente[u"Classe"];
    return classe.isEmpty() ? nom : nom + QStringLiteral(" (") + classe + u')';
}

void oublier(db::Database& base, const QString& cdeAttente)
{
    try {
        base.exec(QStringLiteral("DELETE FROM PhotosEnAttente WHERE CdeAttente = ?"), {cdeAttente.toLongLong()});
    } catch (const db::Error& erreur) {
        // Read only or busy: the next start finds the same state and settles it the same way.
        report::logged(erreur);
    }
}

} // namespace

Bilan regler(db::Database& base, const QString& dossierImages)
{
    Bilan bilan;
    if (!base.hasTable(QStringLiteral("PhotosEnAttente")))
        return bilan;
    const db::Rows attentes = base.query(QStringLiteral(
        "SELECT a.CdeAttente, a.CdeEleves, a.Temporaire, a.Photo, a.Taille, a.Empreinte, e.CdeEleves AS Present,"
        " e.Nom, e.Prenom, e.Classe FROM PhotosEnAttente a LEFT JOIN Eleves e ON e.CdeEleves = a.CdeEleves"
        " ORDER BY a.CdeAttente"));
    for (const db::Row& attente : attentes) {
        // A student removed since has no picture to wait for; the temporary goes with the others.
        if (attente[u"Present"].isEmpty()) {
            oublier(base, attente[u"CdeAttente"]);
            continue;
        }
        const Empreinte attendue{attente[u"Taille"], attente[u"Empreinte"]};
        const auto entiere = [&attendue](const QString& chemin) { return tient(chemin, attendue); };
        const QString photo = paths::join(dossierImages, {paths::component(attente[u"Photo"])});
        QString erreur;
        const files::Leftover reste = files::takeOverTemporary(
            paths::join(dossierImages, {paths::component(attente[u"Temporaire"])}), photo, entiere, &erreur);
        if (reste == files::Leftover::Held)
            continue;
        if (reste == files::Leftover::Failed) {
            // Still whole beside its place: a later start puts it there.
            bilan.attente = true;
            bilan.avis << QStringLiteral("La nouvelle photo de %1 attend encore de prendre sa place ; elle la "
                                         "prendra à un prochain démarrage de Vizmora.\n%2")
                              .arg(eleve(attente), erreur);
            continue;
        }
        // Missing with the picture in place: the rename was done, only the record was left.
        if (reste != files::Leftover::Placed && !(reste == files::Leftover::Missing && entiere(photo)))
            bilan.avis << QStringLiteral("La photo %1 de %2 n'a pas pu être mise en place lors de la dernière "
                                         "utilisation de Vizmora : choisissez-la de nouveau sur sa carte (« Changer... »).")
                              .arg(QDir::toNativeSeparators(photo), eleve(attente));
        oublier(base, attente[u"CdeAttente"]);
    }
    return bilan;
}

} // namespace photos_en_attente
