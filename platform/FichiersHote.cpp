#include "platform/FichiersHote.h"

#include <fstream>
#include <iterator>
#include <system_error>

#include "core/Lignes.h"

namespace plivor {

namespace fs = std::filesystem;

FichiersHote::FichiersHote() {
  std::error_code erreur;
  const auto courant = fs::current_path(erreur);
  dossierCourant_ = erreur ? Texte(1, Separateur(StyleHote())) : LigneDepuisHote(courant).value_or("/");
}

void FichiersHote::ChangerDossier(const Texte& dossier) {
  dossierCourant_ = SansBarre(CheminComplet(dossier, dossierCourant_, Style()));
  if (dossierCourant_.empty()) dossierCourant_ = Texte(1, Separateur(Style()));
}

fs::path FichiersHote::CheminHote(const Texte& chemin) const {
  const std::string utf8 = VersUtf8(CheminComplet(chemin, dossierCourant_, Style()));
  return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

bool FichiersHote::FichierExiste(const Texte& chemin) const {
  if (chemin.empty()) return false;
  std::error_code erreur;
  return fs::is_regular_file(CheminHote(chemin), erreur);
}

bool FichiersHote::DossierExiste(const Texte& chemin) const {
  if (chemin.empty()) return false;
  std::error_code erreur;
  return fs::is_directory(CheminHote(chemin), erreur);
}

std::optional<std::uint64_t> FichiersHote::TailleFichier(const Texte& chemin) const {
  std::error_code erreur;
  const auto taille = fs::file_size(CheminHote(chemin), erreur);
  if (erreur) return std::nullopt;
  return taille;
}

std::optional<std::string> FichiersHote::LireFichier(const Texte& chemin) const {
  std::ifstream flux(CheminHote(chemin), std::ios::binary);
  if (!flux) return std::nullopt;
  std::string contenu((std::istreambuf_iterator<char>(flux)), std::istreambuf_iterator<char>());
  if (flux.bad()) return std::nullopt;
  return contenu;
}

bool FichiersHote::EcrireFichier(const Texte& chemin, const std::string& contenu) {
  std::ofstream flux(CheminHote(chemin), std::ios::binary | std::ios::trunc);
  if (!flux) return false;
  flux.write(contenu.data(), static_cast<std::streamsize>(contenu.size()));
  flux.close();
  return !flux.fail();
}

std::optional<Texte> LigneDepuisHote(const fs::path& chemin) {
  const std::u8string u8 = chemin.u8string();
  return VersCp1252(std::string(u8.begin(), u8.end()));
}

}  // namespace plivor
