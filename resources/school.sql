-- The school database. Keys are never given again once deleted. Every other
-- value is text.
CREATE TABLE IF NOT EXISTS Etablissement (
    CdeEtablissement INTEGER PRIMARY KEY AUTOINCREMENT,
    Nom TEXT, Adresse TEXT, Adresse1 TEXT, Adresse2 TEXT, CodePostal TEXT,
    Ville TEXT, Telephone TEXT, Fax TEXT, Portable TEXT, Mail TEXT
);
CREATE TABLE IF NOT EXISTS Eleves (
    CdeEleves INTEGER PRIMARY KEY AUTOINCREMENT,
    CodeEtablissement TEXT, Classe TEXT, Nom TEXT, Prenom TEXT, Naissance TEXT,
    Regime TEXT, INE TEXT, NumInterne TEXT, NomPhoto TEXT
);
CREATE TABLE IF NOT EXISTS Photographe (
    NomP TEXT, Adresse1P TEXT, Adresse2P TEXT, Adresse3P TEXT, CPP TEXT,
    VilleP TEXT, TelP TEXT, FaxP TEXT, Mail TEXT, Web TEXT
);
CREATE TABLE IF NOT EXISTS Goupes (
    CdeGroupes INTEGER PRIMARY KEY AUTOINCREMENT,
    NomGroupe TEXT, N_Eleves TEXT, Classe TEXT, Nom TEXT, Prenom TEXT, Naissance TEXT,
    Regime TEXT, INE TEXT, NumInterne TEXT
);
