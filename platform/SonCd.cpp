#include "platform/SonCd.h"

#include <algorithm>
#include <vector>

extern "C" {
#include <libavutil/channel_layout.h>
#include <libswresample/swresample.h>
}

namespace plivor {

namespace {

constexpr int kFrequenceCd = 44100;
constexpr int kBloc = 1176;  // two sectors

class SonDisque : public Pcm {
 public:
  explicit SonDisque(std::shared_ptr<DisqueCd> disque) : disque_(std::move(disque)) {
    // The disc ends where its last audio track does.
    long long finMs = 0;
    for (int n = 1; n <= 99; ++n)
      if (const auto p = disque_->Piste(n)) finMs = std::max<long long>(finMs, p->debutMs + p->dureeMs);
    trames_ = finMs * kFrequenceExport / 1000;
  }
  ~SonDisque() override { swr_free(&swr_); }

  long long Trames() const override { return trames_; }

  void Preparer(long long debut) const override {
    if (debut != suivante_) Positionner(debut);
  }

  void Lire(long long debut, long long n, float* sortie) const override {
    Preparer(debut);
    long long faites = 0;
    while (faites < n && swr_) {
      uint8_t* s = reinterpret_cast<uint8_t*>(sortie + faites * 2);
      int recues;
      if (!fini_) {
        fini_ = !disque_->Lire(entree_.data(), kBloc);
        const uint8_t* e = reinterpret_cast<const uint8_t*>(entree_.data());
        recues = swr_convert(swr_, &s, int(n - faites), fini_ ? nullptr : &e, fini_ ? 0 : kBloc);
      } else {
        recues = swr_convert(swr_, &s, int(n - faites), nullptr, 0);
      }
      if (recues <= 0 && fini_) break;
      faites += std::max(0, recues);
    }
    std::fill(sortie + faites * 2, sortie + n * 2, 0.0f);
    suivante_ = debut + n;
  }

 private:
  void Positionner(long long debut) const {
    disque_->Positionner(int(debut * 1000 / kFrequenceExport));
    swr_free(&swr_);
    AVChannelLayout stereo{};
    av_channel_layout_default(&stereo, 2);
    if (swr_alloc_set_opts2(&swr_, &stereo, AV_SAMPLE_FMT_FLT, kFrequenceExport, &stereo, AV_SAMPLE_FMT_S16,
                            kFrequenceCd, 0, nullptr) < 0 ||
        swr_init(swr_) < 0)
      swr_free(&swr_);
    entree_.resize(size_t(kBloc) * 2);
    fini_ = false;
    suivante_ = debut;
  }

  std::shared_ptr<DisqueCd> disque_;
  long long trames_ = 0;
  mutable SwrContext* swr_ = nullptr;
  mutable std::vector<std::int16_t> entree_;
  mutable bool fini_ = false;
  mutable long long suivante_ = -1;
};

}  // namespace

std::shared_ptr<const Pcm> SonDuDisque(std::shared_ptr<DisqueCd> disque) {
  return std::make_shared<SonDisque>(std::move(disque));
}

}  // namespace plivor
