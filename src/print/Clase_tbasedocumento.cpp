#include "Clase_tbasedocumento.h"

TBaseDocumento::TBaseDocumento()
    : lector_(std::make_unique<TLectorIni>()),
      componentes_(std::make_unique<TComponente>()),
      memoria_(std::make_unique<TMemoria>()) {}

TBaseDocumento::~TBaseDocumento() = default;
