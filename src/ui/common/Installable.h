#pragma once

// One answerer of a kind of dialog for the whole program: the real one, or
// the one a test installed to answer in its place.
template <class Answerer>
class Installable {
  public:
    // nullptr brings the real one back.
    static void install(Answerer* answerer) { s_installed = answerer; }

    template <class Real>
    static Answerer& installedOr() {
        static Real real;
        return s_installed ? *s_installed : real;
    }

  private:
    static inline Answerer* s_installed = nullptr;
};
