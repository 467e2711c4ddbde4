// The sample message library: every morlune message, translated into French.
//
// To make a translation of your own, copy this file, replace the texts and
// build it as a shared object named KelvoRes.so (see README.md beside it).
// The texts are byte strings written out unchanged, so the bytes of this
// file (UTF-8) are the bytes that reach the terminal or the source file.

namespace {

struct MessageText {
  unsigned id;
  const char* text;
};

// Error-line texts (1207, 1208, 1210 to 1214) carry no full stop and no line
// end: morlune writes them as "morlune: TEXT.\n". All others are written as
// they stand, with their own line ends; a percent sign in them is doubled.
constexpr MessageText kTexts[] = {
    {1207, "Impossible d'ouvrir le fichier de sortie"},
    {1208, "Impossible d'ouvrir le fichier d'entrée"},
    // The banner heads every source file, so each of its lines stays a
    // comment (";;") or empty.
    {1209, ";;\n;;  Fichier KQS Vormald produit par morlune.exe\n;;\n\n"},
    {1210, "Ce n'est pas un fichier KQX valide"},
    {1211, "Fichier Quen 10 écrit au format Quen 11"},
    {1212, "Impossible de lire l'index des formes"},
    {1213, "Impossible de charger la table de hachage"},
    {1214, "Taille d'entrée de la table de hachage non valide"},
    {1215, "morlune.exe - convertit les fichiers KQX Vormald au format KQS\n"},
    {1216, "Copyright (c) les développeurs de morlune ; libre d'utilisation et de partage.\n"},
    {1217, "Version 1.4\n"},
    // The four option lines start their descriptions in the same column.
    {1218, " -?:      affiche ce message\n"},
    {1219, " -d:      codes de caractère en décimal\n"},
    {1220, " -e:      montre les caractères échappés\n"},
    {1221, " -o nom:  écrit la sortie dans le fichier 'nom'\n"},
    {1222, "Usage : morlune [-?de] [-o sortie] [entrée]\n"},
};

}  // namespace

// The one entry that morlune looks up: the text of message id, or null when
// this library has none for it.
extern "C" __attribute__((visibility("default"))) const char* KelvoResMessageText(unsigned id) {
  for (const MessageText& entry : kTexts) {
    if (entry.id == id) return entry.text;
  }
  return nullptr;
}
