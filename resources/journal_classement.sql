-- The journal of the shoot's filings, in the photographer's database only: it
-- never travels in a template, an exchange file or a school package. A row is
-- written before anything of a filing is put in place and dropped once the
-- camera file has left the watched folder; a row left says what a crash
-- interrupted. Fait is "1" once the student's row names the picture.
CREATE TABLE IF NOT EXISTS JournalClassement (
    CdeClassement INTEGER PRIMARY KEY AUTOINCREMENT,
    Fichier TEXT, Taille TEXT, Empreinte TEXT, EmpreintePhoto TEXT, Degres TEXT,
    CdeEleves TEXT, CodeEtablissement TEXT, Classe TEXT, Nom TEXT, Prenom TEXT,
    Archive TEXT, Photo TEXT, BR TEXT, BR3 TEXT, Remplacees TEXT, NonClassees TEXT, OriginalGarde TEXT,
    Fait TEXT
);
