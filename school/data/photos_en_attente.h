#pragma once

#include "common/database.h"
#include "common/files.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// A portrait that becomes a student's in the change that stores the student
// (a new student, a new portrait on the identity card). It is written whole
// beside its place before the change, recorded in that change, and renamed
// into place once the change is committed. A power cut between the commit and
// the rename leaves the record, and the next start finishes the rename or
// names the student (photos_en_attente::regler): the state is read from the record and the
// temporary, never guessed.
class PhotoEnAttente {
public:
    // target: the picture's path in the images folder, which exists.
    explicit PhotoEnAttente(QString target);

    // Each false on failure, erreur() then saying which file.
    [[nodiscard]] bool ecrire(const QByteArray& octets);
    [[nodiscard]] bool copier(const QString& source);
    // Records, in the caller's transaction and before its commit, that the
    // picture written is due in place for that student. Throws db::Error.
    void noter(db::Database& base, qint64 cdeEleves);
    // Once the caller's change is committed: renames the picture into place
    // and drops the record. False, said by erreur(), when the picture could
    // not take its place: the old picture (or none) stays, and the record
    // waits for the caller to drop it (oublier) with what it undoes.
    [[nodiscard]] bool mettreEnPlace(db::Database& base);
    // Drops the record. Throws db::Error.
    void oublier(db::Database& base);
    // The change was not committed: the picture goes, nothing is left.
    void abandonner() { fichier_.discard(); }

    const QString& cible() const { return fichier_.target(); }
    const QString& erreur() const { return fichier_.error(); }

private:
    files::PendingFile fichier_;
    qint64 note_ = 0; // the record's key once noted
};

namespace photos_en_attente {

struct Bilan {
    // One French sentence per student whose picture is not in place, naming
    // the student and the picture.
    QStringList avis;
    // A whole picture still waits beside its place for a later start: its
    // temporary file must not be taken for a leftover.
    bool attente = false;
};

// Settles the records that a power cut left in the school database, the
// pictures being in dossierImages: a whole temporary is put in place, a
// picture already in place only loses its record, a picture that another
// running Vizmora is still putting in place is left to it. Throws db::Error
// when the records cannot be read.
Bilan regler(db::Database& base, const QString& dossierImages);

} // namespace photos_en_attente
