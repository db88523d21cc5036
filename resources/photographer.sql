-- The photographer's database. Keys are never given again once deleted:
-- picture files are named by student keys. Every other value is text.
CREATE TABLE IF NOT EXISTS Etablissements (
    CdeEtablissement INTEGER PRIMARY KEY AUTOINCREMENT,
    Nom TEXT, Adresse TEXT, Adresse1 TEXT, Adresse2 TEXT, "Code Postal" TEXT,
    Ville TEXT, Telephone TEXT, Fax TEXT, Portable TEXT, Mail TEXT
);
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
