// A message library with other texts for some messages, in Latin-1 with stray and doubled "%",
// and none for the rest.
extern "C" __attribute__((visibility("default"))) const char* KelvoResMessageText(unsigned id) {
  switch (id) {
    case 1207: return "Ausgabedatei %s l\xE4sst sich nicht \xF6" "ffnen (100%%)";
    case 1209: return ";; Quelltext, zu 100%% von morlune %s erzeugt\n;; \xFF\n\n";
    case 1210: return "Keine g\xFCltige KQX-Datei";
    case 1216: return "Nur zum Testen, 50%% %d\n";
    case 1217: return "Fassung %%%d\n";
    case 1221: return " -o datei: nach 'datei' %\n";
    case 1222: return "Aufruf: morlune [-?de] [-o ausgabe] [eingabe] %s%%\n";
    default: return nullptr;
  }
}
