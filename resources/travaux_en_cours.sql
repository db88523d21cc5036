-- The records of jobs in progress, in the photographer's database only: they
-- never travel in a template, an exchange file or a school package. Each row
-- is written before its job changes anything and dropped once the job is
-- done: a row left says what a power cut interrupted, and the next start
-- settles it. The photographer's database creates these tables when they are
-- missing each time it is opened; the templates are made from
-- photographer.sql alone.

-- The journal of the shoot's filings: a row is written before anything of a
-- filing is put in place and dropped once the camera file has left the
-- watched folder. Fait is "1" once the student's row names the picture.
CREATE TABLE IF NOT EXISTS JournalClassement (
    CdeClassement INTEGER PRIMARY KEY AUTOINCREMENT,
    Fichier TEXT, Taille TEXT, Empreinte TEXT, EmpreintePhoto TEXT, Degres TEXT,
    CdeEleves TEXT, CodeEtablissement TEXT, Classe TEXT, Nom TEXT, Prenom TEXT,
    Archive TEXT, Photo TEXT, BR TEXT, BR3 TEXT, Remplacees TEXT, NonClassees TEXT, OriginalGarde TEXT,
    Fait TEXT
);
-- A rename of an establishment whose folders are being moved, recorded
-- before the first one moves: the next start finishes or undoes it.
-- Dossiers lists the moved folders: 0 data, 1 " BR", 2 " BR3", 3 archive.
CREATE TABLE IF NOT EXISTS RenommagesEnCours (
    CdeEtablissement TEXT, AncienNom TEXT, NouveauNom TEXT, Dossiers TEXT
);
-- Set in the emptied database before it takes the database's place: the
-- archive-and-empty asked for was done, even if the request is still set.
CREATE TABLE IF NOT EXISTS BaseVidee (Archive TEXT);
-- A class change of a student who has pictures, recorded before any of their
-- files is renamed (one row per file) and dropped in the transaction that
-- writes the new class: a row left by a power cut is settled at the next
-- opening of the shooting screen.
CREATE TABLE IF NOT EXISTS DeplacementsPhotos (
    CdeDeplacement INTEGER PRIMARY KEY AUTOINCREMENT,
    CdeEleves TEXT, Classe TEXT, Origine TEXT, Destination TEXT
);
