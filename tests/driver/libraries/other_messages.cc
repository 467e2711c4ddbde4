// A message library with other texts for every message, in Latin-1 German.
// Its texts carry bytes above 0x7F and stray percent signs, so that a run
// shows whether each text is written as the bytes it holds: as the argument
// of an error line untouched, as a format text with "%%" made one "%" and
// every other "%" as it stands.
namespace {

struct MessageText {
  unsigned id;
  const char* text;
};

constexpr MessageText kTexts[] = {
    {1207, "Ausgabedatei %s l\xE4sst sich nicht \xF6" "ffnen (100%%)"},
    {1208, "Eingabedatei l\xE4sst sich nicht \xF6" "ffnen"},
    {1209, ";; Quelltext, zu 100%% von morlune %s erzeugt\n;; \xFF\n\n"},
    {1210, "Keine g\xFCltige KQX-Datei"},
    {1211, "Quen-10-Datei im Format Quen 11 ausgegeben"},
    {1212, "Formenverzeichnis nicht lesbar"},
    {1213, "Streutabelle nicht ladbar"},
    {1214, "Eintragsgr\xF6\xDF" "e der Streutabelle ung\xFCltig"},
    {1215, "morlune.exe - wandelt KQX-Dateien in KQS-Quelltext\n"},
    {1216, "Nur zum Testen, 50%% %d\n"},
    {1217, "Fassung 1.4 %%%d\n"},
    {1218, " -?:      diese Hilfe\n"},
    {1219, " -d:      dezimale Zeichencodes\n"},
    {1220, " -e:      Ersatznamen zeigen\n"},
    {1221, " -o datei: Ausgabe nach 'datei' %\n"},
    {1222, "Aufruf: morlune [-?de] [-o ausgabe] [eingabe] %s%%\n"},
};

}  // namespace

extern "C" __attribute__((visibility("default"))) const char* KelvoResMessageText(unsigned id) {
  for (const MessageText& entry : kTexts) {
    if (entry.id == id) return entry.text;
  }
  return nullptr;
}
