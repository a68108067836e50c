#include "platform/FichiersHote.h"

#include <algorithm>
#include <chrono>
#include <fstream>
#include <iterator>
#include <system_error>

#include "core/Lignes.h"
#include "platform/Enregistrement.h"

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

bool FichiersHote::EcrireOctets(int descripteur, const std::string& contenu) {
  return EcrireTout(descripteur, contenu);
}

bool FichiersHote::EcrireFichier(const Texte& chemin, const std::string& contenu) {
  const auto resultat = EnregistrerFichier(
      CheminHote(chemin), contenu, [this](int fd, const std::string& octets) { return EcrireOctets(fd, octets); });
  derniereErreur_ = resultat.erreur;
  return resultat.reussi;
}

Texte FichiersHote::CauseDerniereErreur() const {
  return derniereErreur_ ? VersCp1252(CauseEchec(derniereErreur_)).value_or("erreur") : Texte();
}

bool FichiersHote::CopierFichier(const Texte& source, const Texte& cible, bool ecraser) {
  const fs::path de = CheminHote(source), vers = CheminHote(cible);
  std::error_code erreur;
  if (!fs::is_regular_file(de, erreur)) return false;
  if (fs::exists(vers, erreur) && !ecraser) return false;
  const auto date = fs::last_write_time(de, erreur);
  if (erreur) return false;
  const auto contenu = LireFichier(source);
  if (!contenu || !EcrireFichier(cible, *contenu)) return false;
  fs::last_write_time(vers, date, erreur);
  return !erreur;
}

bool FichiersHote::Renommer(const Texte& source, const Texte& cible) {
  const fs::path de = CheminHote(source), vers = CheminHote(cible);
  std::error_code erreur;
  if (fs::exists(vers, erreur) || !fs::exists(de, erreur)) return false;
  fs::rename(de, vers, erreur);
  return !erreur;
}

std::vector<Texte> FichiersHote::ListerFichiers(const Texte& dossier, const Texte& masque) const {
  std::vector<Texte> noms;
  std::error_code erreur;
  for (fs::directory_iterator it(CheminHote(dossier), erreur), fin; !erreur && it != fin; it.increment(erreur)) {
    if (!it->is_regular_file(erreur)) continue;
    const auto nom = LigneDepuisHote(it->path().filename());
    if (nom && NomCorrespond(*nom, masque)) noms.push_back(*nom);
  }
  std::sort(noms.begin(), noms.end());
  return noms;
}

std::optional<std::int64_t> FichiersHote::DateFichier(const Texte& chemin) const {
  std::error_code erreur;
  const auto date = fs::last_write_time(CheminHote(chemin), erreur);
  if (erreur) return std::nullopt;
  const auto systeme = std::chrono::file_clock::to_sys(date);
  return std::chrono::duration_cast<std::chrono::seconds>(systeme.time_since_epoch()).count();
}

bool FichiersHote::LectureSeule(const Texte& chemin) const {
  std::error_code erreur;
  const auto etat = fs::status(CheminHote(chemin), erreur);
  if (erreur || !fs::exists(etat)) return false;
  return (etat.permissions() & (fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write)) ==
         fs::perms::none;
}

std::optional<Texte> LigneDepuisHote(const fs::path& chemin) {
  const std::u8string u8 = chemin.u8string();
  return VersCp1252(std::string(u8.begin(), u8.end()));
}

}  // namespace plivor
