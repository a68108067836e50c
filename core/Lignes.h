#pragma once
// Instruction lines and the kinds of media they name.

#include <vector>

#include "core/Services.h"
#include "core/Texte.h"

namespace plivor {

// Line kinds: units digit the family, tens digit the member.
namespace Genre {
constexpr int Absent = -1;
constexpr int Inconnu = 0;
constexpr int Jpeg = 1;
constexpr int Gif = 11;
constexpr int Bmp = 31;
constexpr int Metafichier = 41;
constexpr int Wav = 2;
constexpr int PisteCd = 12;
constexpr int Midi = 22;
constexpr int Mp3 = 32;
constexpr int Rtf = 3;
constexpr int TexteSimple = 13;
constexpr int Avi = 8;
constexpr int Swf = 18;
constexpr int Instruction = 4;
constexpr int InstructionTexte = 14;
constexpr int Ressource = 24;
constexpr int Drapeau = 34;
constexpr int SousListe = 5;
constexpr int Script = 15;
// Today's formats, in the codes the first kinds leave free: the last digit
// still tells a picture (1) from a sound (2).
constexpr int Png = 21;
constexpr int Webp = 51;
constexpr int Tiff = 61;
constexpr int Heif = 71;
constexpr int Avif = 81;
constexpr int Flac = 42;
constexpr int Ogg = 52;
constexpr int Opus = 62;
constexpr int M4a = 72;
}  // namespace Genre

using Liste = std::vector<Texte>;

// Kind of the extension alone, before any existence check.
int GenreExtension(std::string_view ligne);

// `modeInsertion`: the montage is inserting an instruction whose resource
// is not chosen yet, so resource lines are not checked.
int ClasserLigne(const Texte& ligne, const ServicesFichiers& fichiers, bool modeInsertion = false);

Texte MotCle(std::string_view ligne);
Texte Valeur(std::string_view ligne);
Texte Extension(std::string_view ligne);
Texte SansBarre(std::string_view chemin);
int IndexBorne(const Liste& liste, int index);
int IndexBorne(int compte, int index);

bool EstImage(int genre);
bool EstSon(int genre);
// Sounds whose file any player decodes (CD tracks are not files).
bool EstFichierSon(int genre);
// Kinds whose whole line is a file path (media, lists, scripts).
bool EstChemin(int genre);

struct Tables;
int IconeLigne(const Texte& ligne, const ServicesFichiers& fichiers, const Tables& tables,
               bool modeInsertion = false);

}  // namespace plivor
