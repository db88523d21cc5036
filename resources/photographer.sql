-- The photographer's database. Keys are never given again once deleted:
-- picture files are named by student keys. Every other value is text.
CREATE TABLE IF NOT EXISTS Etablissements (
    CdeEtablissement INTEGER PRIMARY KEY AUTOINCREMENT,
    Nom TEXT, Adresse TEXT, Adresse1 TEXT, Adresse2 TEXT, "Code Postal" TEXT,
    Ville TEXT, Telephone TEXT, Fax TEXT, Portable TEXT, Mail TEXT
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
CREATE TABLE IF NOT EXISTS Eleves (
    CdeEleves INTEGER PRIMARY KEY AUTOINCREMENT,
    CodeEtablissement TEXT, Classe TEXT, Nom TEXT, Prenom TEXT, Naissance TEXT,
    Regime TEXT, INE TEXT, NumInterne TEXT, NomPhoto TEXT
);
CREATE INDEX IF NOT EXISTS ElevesParEtablissement ON Eleves (CodeEtablissement);
CREATE TABLE IF NOT EXISTS Photographe (
    NomP TEXT, Adresse1P TEXT, Adresse2P TEXT, Adresse3P TEXT, CPP TEXT,
    VilleP TEXT, TelP TEXT, FaxP TEXT, Mail TEXT, Web TEXT
);
CREATE TABLE IF NOT EXISTS Pochette (
    RefPochette TEXT, NomPochette TEXT, PrixPochetteTTC TEXT, PrixRecPochetteTTC TEXT
);
CREATE TABLE IF NOT EXISTS PochetteIncomplete (
    CdePocInc INTEGER PRIMARY KEY AUTOINCREMENT,
    NbArticlesTxt TEXT, NbArticles TEXT, LibArticle TEXT, PrixPhotographe TEXT
);
CREATE TABLE IF NOT EXISTS Articles (
    RefArticle TEXT, NomArticle TEXT, PrixUnitaireTTC TEXT, PrixUnitaireRecTTC TEXT
);
CREATE TABLE IF NOT EXISTS RecTarifs (
    RecCodeEtablissement TEXT, RecCdePochette TEXT, RecNomPochette TEXT,
    RecPochettePrixPro TEXT, RecPochettePrixPub TEXT, RecPochettePrixRecPro TEXT,
    RecPochettePrixRecPub TEXT, RecCdeArticles TEXT, RecNomArticles TEXT,
    RecArticlesPrixPro TEXT, RecArticlesPrixPub TEXT, RecArticlesPrixRecPro TEXT,
    RecArticlesPrixRecPub TEXT
);
CREATE TABLE IF NOT EXISTS RecPochetteInc (
    CodeEtab TEXT, RecNbArticleTxt TEXT, RecNbArticle TEXT, RecLibelleArticke TEXT, RecPrixPho TEXT,
    RecPrixPublic TEXT
);
-- A class change of a student who has pictures, recorded before any of their
-- files is renamed (one row per file) and dropped in the transaction that
-- writes the new class: a row left by a power cut is settled at the next
-- opening of the shooting screen. Never copied out of this database.
CREATE TABLE IF NOT EXISTS DeplacementsPhotos (
    CdeDeplacement INTEGER PRIMARY KEY AUTOINCREMENT,
    CdeEleves TEXT, Classe TEXT, Origine TEXT, Destination TEXT
);
