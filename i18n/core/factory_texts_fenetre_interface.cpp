#include "i18n/core/factory_text_sources.h"

namespace tallimo::i18n {
namespace {

// The decoder interface window and the start-up report. Rows 4-5 and 11 are
// joined with the model words into one line, so they carry their own
// spacing and end marks.
constexpr PerLanguage kRows[] = {
    // English, French, German, Italian, Portuguese, Spanish
    {"Decoder", "Décodeur", "Decoder", "Decodificatore", "Decodificador", "Descodificador"},
    {"Connect", "Ouvrir", "Verbinden", "Connetti", "Ligar", "Conectar"},
    {"Message", "Messages", "Meldungen", "Messaggi", "Mensagens", "Mensajes"},
    {"COM port", "Port COM", "COM-Port", "Porta COM", "Porta COM", "Puerto COM"},
    {"Interface", "Interface", "Schnittstelle", "Interfaccia", "Interface", "Interfaz"},
    {"ready to operate !", "prête à fonctionner !", "betriebsbereit !", "pronta all'uso !",
     "pronta a funcionar !", "lista para funcionar !"},
    {"Software ready to operate !", "Logiciel prêt à fonctionner !", "Software betriebsbereit !",
     "Software pronto all'uso !", "Software pronto a funcionar !",
     "Software listo para funcionar !"},
    {"COM Port opening attempt :", "Tentative d'ouverture du port COM :",
     "Versuch, den COM-Port zu öffnen :", "Tentativo di apertura della porta COM :",
     "Tentativa de abertura da porta COM :", "Intento de apertura del puerto COM :"},
    {"COM Port opened correctly, OK !", "Ouverture du port COM OK !",
     "COM-Port korrekt geöffnet, OK !", "Porta COM aperta correttamente, OK !",
     "Porta COM aberta corretamente, OK !", "Puerto COM abierto correctamente, OK !"},
    {"Could not open the COM Port !", "Echec à l'ouverture du port COM !",
     "COM-Port konnte nicht geöffnet werden !", "Impossibile aprire la porta COM !",
     "Não foi possível abrir a porta COM !", "No se pudo abrir el puerto COM !"},
    {"COM Port is not open !", "Port COM non ouvert !", "COM-Port ist nicht geöffnet !",
     "Porta COM non aperta !", "Porta COM não aberta !", "Puerto COM no abierto !"},
    {"connected !", "connecté !", "verbunden !", "connesso !", "ligado !", "conectado !"},
};

} // namespace

std::span<const PerLanguage> DecoderInterfaceFactoryTexts() {
    return kRows;
}

} // namespace tallimo::i18n
