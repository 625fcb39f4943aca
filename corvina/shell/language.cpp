#include "language.h"

#include <map>

#include "shell/app_state.h"

namespace corvina {
namespace {

struct TextPair {
  const char* english;
  const char* spanish;
};

// Number n -> English (1000 + n) and Spanish (2000 + n). 432 and 435 end in a
// blank in Spanish.
const std::map<int, TextPair>& textTable() {
  static const std::map<int, TextPair> table = {
      {400, {"Install", "Instale"}},
      {401, {"Loader.cfg", "Loader.cfg"}},
      {402, {"Select A Loader To Install", "Escoja una Cargadora para Instalar"}},
      {403, {"Install Loader", "Instale la Cargadora"}},
      {404, {"Make Apple OS Image", "Haga la Imagen de Manzana sistema operativo"}},
      {405, {"Status", "Posición"}},
      {406, {"idle", "holgazán"}},
      {407, {"Install Modules", "Instale Módulos"}},
      {408, {"Load iPod", "Carga iPod"}},
      {409, {"Copy Selected", "La copia Escogió"}},
      {410, {"Copy All", "Copie Todo"}},
      {411, {"Cancel", "Cancele"}},
      {412, {"Organise Into Folders", "Organice En Carpetas"}},
      {413, {"Backup Songs", "Canciones de respaldo"}},
      {414, {"Fix/Make Sysinfo", "Fijar/Hace Sysinfo"}},
      {415, {"Source File", "Archivo de fuente"}},
      {416, {"Destination Folder", "Carpeta de destino"}},
      {417, {"Convert", "Converso"}},
      {418, {"Convert To MPEG4", "Convierta a MPEG4"}},
      {419, {"Special Options", "Opciones especiales"}},
      {420, {"Show Voltage Meter", "Muestre el Voltaje Metro"}},
      {421, {"Short Deep Sleep", "Sueño Profundo corto"}},
      {422, {"Disk Always Spins", "El disco Siempre Gira"}},
      {423, {"No Deep Sleep", "Ningún Sueño Profundo"}},
      {424, {"Show CPU Meter", "Muestre CPU Metro"}},
      {425, {"Check For Updates", "El cheque Para Actualiza"}},
      {426, {"Load/Make File", "La carga/Hace Archivo"}},
      {427, {"Edit Color", "Redacte el Color"}},
      {428, {"Remove", "Quite"}},
      {429, {"Edit", "Redacte"}},
      {430, {"Save", "Salve"}},
      {431, {"Add", "Agregue"}},
      {432, {"Installing...", "Instalar... "}},
      {433, {"Make Backup of Your iPod", "Haga el Respaldo de Su iPod"}},
      {434, {"Write .bin to iPod", "Escriba .bin al iPod"}},
      {435, {"Loading...", "La carga... "}},
  };
  return table;
}

}  // namespace

std::string LoadResString(int resourceNumber) {
  int n = resourceNumber % 1000;
  auto entry = textTable().find(n);
  if (entry == textTable().end()) return {};
  if (resourceNumber / 1000 == 1) return entry->second.english;
  if (resourceNumber / 1000 == 2) return entry->second.spanish;
  return {};
}

std::string GetLangText(const std::string& number) {
  // The resource number is the language digit put in front of the text.
  if (number.empty() || number.size() > 3 || number.find_first_not_of("0123456789") != std::string::npos) return {};
  std::string prefix;
  if (app().currentLanguage == "English")
    prefix = "1";
  else if (app().currentLanguage == "Español")
    prefix = "2";
  else
    return {};
  return LoadResString(std::stoi(prefix + number));
}

}  // namespace corvina
