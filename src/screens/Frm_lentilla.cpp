#include "Frm_lentilla.h"

#include <QApplication>
#include <QCloseEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QScreen>
#include <QShortcut>
#include <QStatusBar>
#include <QStatusTipEvent>
#include <QTabBar>
#include <QTabWidget>
#include <QToolBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <stdexcept>

#include "Cambio_ajeno.h"
#include "Clase_tagenda.h"
#include "Clase_tbdacceso.h"
#include "Clase_tctrlteclado.h"
#include "Clase_tdlentilla.h"
#include "Clase_tlentilla.h"
#include "Clase_ttienda.h"
#include "Dm_lentilla.h"
#include "Frm_error.h"
#include "Frm_lentilla_ficha.h"
#include "Frm_lentilla_observaciones.h"
#include "Frm_lentilla_pruebas.h"
#include "Frm_lentilla_reposiciones.h"
#include "Frm_sms.h"
#include "Clase_tpaciente.h"
#include "Ibx_query.h"
#include "Ibx_error.h"
#include "Ibx_transaction.h"
#include "Unidad_trabajo.h"
#include "Util_fechas.h"

namespace {
TfrmLentilla* g_activa = nullptr;

const QString kPantalla = QStringLiteral("Ficha de Lentillas");
const QString kAviso = QStringLiteral("AVISO");
const QString kPregunta = QStringLiteral("PREGUNTA");
const QString kSinUltima = QStringLiteral("No ha sido posible encontrar la última ficha para copiar los datos");
const QString kCambios = QStringLiteral("Los datos han cambiado. ¿Desea guardar los cambios?");
}  // namespace

TfrmLentilla* TfrmLentilla::Activa() { return g_activa; }

TfrmLentilla::TfrmLentilla(TAplicacion* owner)
    : QWidget(owner ? owner->ventanaPrincipal : nullptr, Qt::Window), owner_(owner), objetos_(owner) {
  setObjectName(QStringLiteral("frmLentilla"));
  setAttribute(Qt::WA_DeleteOnClose);
  setWindowTitle(QStringLiteral("Gestión de fichas de lentillas"));
  // The screen goes with its owner if the host drops the application object first.
  if (owner) connect(owner, &QObject::destroyed, this, [this] { delete this; });
  reglas_ = new TReglasEntrada(this, [this](const QString& etiqueta, const std::function<void()>& accion) {
    Guardia(etiqueta, accion);
  });
  reglas_->abierta = [this] { return ctx_ && !cerrada_; };
  Crear_Controles();
  g_activa = this;
}

TfrmLentilla::~TfrmLentilla() {
  qApp->removeEventFilter(this);
  if (g_activa == this) g_activa = nullptr;
}

void TfrmLentilla::Fijar_Contexto(THostContext* ctx) {
  ctx_ = ctx;
  objetos_.Fijar_Contexto(ctx);
  reglas_->Fijar_Contexto(ctx);
}

std::array<TPaginaLentilla*, 2> TfrmLentilla::Paginas_Ficha() const { return {ficha_, observaciones_}; }

bool TfrmLentilla::Modificado() const { return ficha_->Modificada() || observaciones_->Modificada(); }

// ---- Controls ----------------------------------------------------------------------

void TfrmLentilla::Crear_Controles() {
  auto* principal = new QVBoxLayout(this);
  principal->setContentsMargins(0, 0, 0, 0);
  principal->setSpacing(0);

  auto* tlbBotones = new QToolBar(this);
  tlbBotones->setObjectName(QStringLiteral("tlbBotones"));
  tlbBotones->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
  tlbBotones->setIconSize(QSize(24, 24));
  const auto guardado = [this](const char* etiqueta, void (TfrmLentilla::*metodo)()) {
    return [this, etiqueta, metodo] { Guardia(QLatin1String(etiqueta), [this, metodo] { (this->*metodo)(); }); };
  };
  const struct {
    const char *nombre, *texto, *icono, *etiqueta;
    void (TfrmLentilla::*accion)();
    bool separador;
    QToolButton** miembro;
  } botones[] = {
      {"btnPrimero", "Primero", "primero", "btnPrimero -> OnClick", &TfrmLentilla::btnPrimeroClick, false, nullptr},
      {"btnAnterior", "Anterior", "anterior", "btnAnterior -> OnClick", &TfrmLentilla::btnAnteriorClick, false, nullptr},
      {"btnSiguiente", "Siguiente", "siguiente", "btnSiguiente -> OnClick", &TfrmLentilla::btnSiguienteClick, false,
       nullptr},
      {"btnUltimo", "Último", "ultimo", "btnUltimo -> OnClick", &TfrmLentilla::btnUltimoClick, true, nullptr},
      {"btnNuevo", "Nuevo", "nuevo", "btnNuevo -> OnClick", &TfrmLentilla::btnNuevoClick, false, nullptr},
      {"btnGrabar", "Grabar", "grabar", "btnGrabar -> OnClick", &TfrmLentilla::btnGrabarClick, false, &btnGrabar_},
      {"btnBorrar", "Borrar", "borrar", "btnBorrar -> OnClick", &TfrmLentilla::btnBorrarClick, true, &btnBorrar_},
      // Printing comes with its own part.
      {"btnVenta", "Venta", "venta", "btnVenta -> OnClick", &TfrmLentilla::btnVentaClick, false, nullptr},
      {"btnEncargo", "Encargo", "encargo", "btnEncargo -> OnClick", &TfrmLentilla::btnEncargoClick, false, nullptr},
      {"btnTrasponer", "Trasponer", "trasponer", "btnTrasponer -> OnClick", &TfrmLentilla::btnTrasponerClick, true,
       &btnTrasponer_},
      {"btnImprimir", "Imprimir", "imprimir", nullptr, nullptr, false, nullptr},
      {"btnSMS", "SMS", "sms", "btnSMS -> OnClick", &TfrmLentilla::btnSMSClick, true, nullptr},
      {"btnAvisos", "Avisos", "avisos", "btnAvisos -> OnClick", &TfrmLentilla::btnAvisosClick, true, nullptr},
      {"btnSalir", "Salir", "salir", nullptr, nullptr, false, nullptr},
  };
  for (const auto& b : botones) {
    auto* boton = new QToolButton(tlbBotones);
    boton->setObjectName(QString::fromLatin1(b.nombre));
    boton->setText(QString::fromUtf8(b.texto));
    boton->setToolTip(QString::fromUtf8(b.texto));
    boton->setStatusTip(QString::fromUtf8(b.texto));
    boton->setIcon(TdmLentilla::Imagen(QString::fromLatin1(b.icono)));
    boton->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    boton->setMinimumWidth(64);
    tlbBotones->addWidget(boton);
    if (b.separador) tlbBotones->addSeparator();
    if (b.accion)
      connect(boton, &QToolButton::clicked, this, guardado(b.etiqueta, b.accion));
    else if (b.nombre != std::string_view("btnSalir") && b.nombre != std::string_view("btnImprimir"))
      boton->setEnabled(false);
    if (b.miembro) *b.miembro = boton;
    if (b.nombre == std::string_view("btnSalir")) connect(boton, &QToolButton::clicked, this, &QWidget::close);
    if (b.nombre == std::string_view("btnSMS")) {
      boton->setStatusTip(QStringLiteral("Envío de mensajes SMS"));
      boton->setToolTip(QStringLiteral("Envío de mensajes SMS"));
    }
    if (b.nombre == std::string_view("btnImprimir")) {
      auto* menuImprimir = new QMenu(boton);
      const struct {
        const char *nombre, *texto, *etiqueta;
        void (TfrmLentilla::*accion)();
      } impresiones[] = {{"btnImpFicha", "Ficha", "btnImpFicha -> OnClick", &TfrmLentilla::btnImpFichaClick},
                         {"btnImpGarantia", "Garantia", "btnImpGarantia -> OnClick", &TfrmLentilla::btnImpGarantiaClick},
                         {"btnImpReceta", "Receta", "btnImpReceta -> OnClick", &TfrmLentilla::btnImpRecetaClick}};
      for (const auto& i : impresiones) {
        QAction* a = menuImprimir->addAction(QString::fromLatin1(i.texto));
        a->setObjectName(QString::fromLatin1(i.nombre));
        connect(a, &QAction::triggered, this, guardado(i.etiqueta, i.accion));
      }
      boton->setMenu(menuImprimir);
      boton->setPopupMode(QToolButton::InstantPopup);
    }
  }
  principal->addWidget(tlbBotones);

  pclLentilla_ = new QTabWidget(this);
  pclLentilla_->setObjectName(QStringLiteral("pclLentilla"));
  pclLentilla_->setIconSize(QSize(20, 20));
  // Each page goes into its tab before it is filled: a filled page moved into
  // the tab widget has every one of its controls walked through again.
  ficha_ = new TPaginaFicha(*reglas_, objetos_);
  pclLentilla_->addTab(ficha_, TdmLentilla::Imagen(QStringLiteral("ficha")), QStringLiteral("Ficha"));
  observaciones_ = new TPaginaObservaciones(*reglas_);
  pclLentilla_->addTab(observaciones_, QStringLiteral("Observaciones"));
  pruebas_ = new TPaginaPruebas(*reglas_, objetos_, seleccion_);
  pclLentilla_->addTab(pruebas_, TdmLentilla::Imagen_Pestana(3), QStringLiteral("Pruebas"));
  reposiciones_ = new TPaginaReposiciones(*reglas_, objetos_, seleccion_);
  pclLentilla_->addTab(reposiciones_, TdmLentilla::Imagen_Pestana(3), QStringLiteral("Reposiciones"));
  for (TPaginaLentilla* p : Paginas_Ficha()) connect(p, &TPaginaLentilla::Cambiada, this, [this] { Modificado_Estado(true); });
  // A tab's image (2 it holds data, 3 none), kept beside it as the tab's data.
  const auto imagen = [this](QWidget* pagina) {
    return [this, pagina](int i) {
      const int pestana = pclLentilla_->indexOf(pagina);
      pclLentilla_->setTabIcon(pestana, TdmLentilla::Imagen_Pestana(i));
      pclLentilla_->tabBar()->setTabData(pestana, i);
    };
  };
  connect(pruebas_, &TPaginaPruebas::Imagen_Cambiada, this, imagen(pruebas_));
  connect(pruebas_, &TPaginaPruebas::Definitiva, this,
          [this] { Guardia(QStringLiteral("btnPruebaDefinitiva -> OnClick"), [this] { btnPruebaDefinitivaClick(); }); });
  connect(pruebas_, &TPaginaPruebas::Tipos_Cambiados, ficha_, &TPaginaFicha::Rellenar_Tipos);
  connect(pruebas_, &TPaginaPruebas::Imprimir, this,
          [this] { Guardia(QStringLiteral("btnPruebaImprimir -> OnClick"), [this] { btnPruebaImprimirClick(); }); });
  connect(reposiciones_, &TPaginaReposiciones::Imprimir, this, [this] {
    Guardia(QStringLiteral("btnReposicionImprimir -> OnClick"), [this] { btnReposicionImprimirClick(); });
  });
  connect(ficha_, &TPaginaFicha::Tipos_Cambiados, pruebas_, &TPaginaPruebas::Rellenar_Tipos);
  pruebas_->avisarFallo = [this](const EIBError* causa, int resultado, bool grabar) {
    Avisar_Fallo(causa, resultado, grabar ? TAccion::kGrabar : TAccion::kBorrar, TObjeto::kPrueba);
  };
  pruebas_->actualizarUltimaVisita = [this] { Actualizar_Ultima_Visita(); };
  connect(reposiciones_, &TPaginaReposiciones::Imagen_Cambiada, this, imagen(reposiciones_));
  reposiciones_->avisarFallo = [this](const EIBError* causa, int resultado, bool grabar) {
    Avisar_Fallo(causa, resultado, grabar ? TAccion::kGrabar : TAccion::kBorrar, TObjeto::kReposiciones);
  };
  reposiciones_->actualizarUltimaVisita = [this] { Actualizar_Ultima_Visita(); };
  reposiciones_->fichaExistente = [this] { return fichaExistente_; };
  connect(pclLentilla_, &QTabWidget::currentChanged, this, [this] {
    Guardia(QStringLiteral("pclLentilla -> OnChange"), [this] { pcl_Lentilla_Change(); });
  });
  principal->addWidget(pclLentilla_, 1);

  sbr_Ayuda_ = new QStatusBar(this);
  sbr_Ayuda_->setObjectName(QStringLiteral("sbr_Ayuda"));
  sbr_Ayuda_->setSizeGripEnabled(false);
  lblSoloLectura_ = new QLabel(sbr_Ayuda_);
  lblSoloLectura_->setObjectName(QStringLiteral("lblSoloLectura"));
  lblSoloLectura_->setText(QStringLiteral("Sólo consulta: su usuario no puede modificar fichas guardadas"));
  lblSoloLectura_->setVisible(false);
  sbr_Ayuda_->addPermanentWidget(lblSoloLectura_);
  principal->addWidget(sbr_Ayuda_);
  reglas_->aviso = [this](const QString& texto) { sbr_Ayuda_->showMessage(texto, 15000); };
  reposiciones_->estado = [this](const QString& texto) { sbr_Ayuda_->showMessage(texto, 15000); };

  Enlazar_Traspasos();

  for (int tecla : {Qt::Key_F5, Qt::Key_F6, Qt::Key_F12}) {
    auto* atajo = new QShortcut(QKeySequence(tecla), this);
    atajo->setContext(Qt::WindowShortcut);
    connect(atajo, &QShortcut::activated, this, [this, tecla] { Teclas(tecla); });
  }
  resize(1280, 800);
}

// ---- Initialisation ------------------------------------------------------------------

void TfrmLentilla::Inicializar() {
  if (!ctx_ || !ctx_->aplicacion || !ctx_->puesto || !ctx_->empresa || !ctx_->usuario)
    throw std::runtime_error("El contexto del programa no está completo.");
  if (!ctx_->conexionPrincipal || !ctx_->conexionSecundaria)
    throw std::runtime_error("El programa no ha abierto la base de datos.");

  // 1. The objects needed first.
  for (auto codigo : {TObjetosLentilla::kLentilla, TObjetosLentilla::kTienda, TObjetosLentilla::kAgente})
    objetos_.Crear(codigo);
  // 2. The data module on the host's connection and transaction.
  dm_ = std::make_unique<TdmLentilla>(owner_);
  dm_->Fijar_Contexto(ctx_);
  dm_->Enlazar();
  reposiciones_->Enlazar(dm_.get());
  // 3. The selection.
  ctx_->seleccion.moduloAbierto = 1;
  seleccion_ = ctx_->seleccion;
  // 4. Static controls, then everything cleared and the pickers filled.
  ficha_->Titulo_Fichas(seleccion_);
  ficha_->Inicializar();
  observaciones_->Limpiar();
  pruebas_->Inicializar();
  Poner_Titulo();
  // 5-6. The chosen record, or a new one.
  if (seleccion_.idFicha == 0) {
    ficha_->Fijar_Numero(seleccion_.ultimaFicha + 1);
    if (Preparar_Nueva() == 0) {
      objetos_.Renovar_Lentilla();
      fichaExistente_ = false;
    }
  } else if (Cargar_Ficha(seleccion_.idFicha) == 0) {
    TLentilla& l = objetos_.Lentilla();
    ctx_->acceso->Registrar_Ficha(*ctx_, TBDAcceso::kConsulta, l.ID_MLENTILLA(), l.NUMERO_FICHA(), l.FECHA());
  }
  // 7. The record tab in front; the tests are loaded when their tab is first
  // shown, and until then its image says whether there are any.
  pclLentilla_->setCurrentWidget(ficha_);
  ficha_->Enfocar();
  Modificado_Estado(Modificado());
  pruebas_->Fijar_Pendiente(true);
  pruebas_->Marcar_Prueba(false);
  reposiciones_->Marcar_Reposicion(false);
  reposiciones_->Cargar_Reposiciones();
  pruebas_->Cargar_Pruebas(false);

  qApp->installEventFilter(this);
  const QWidget* ventana = ctx_->aplicacion->ventanaPrincipal;
  const QRect zona = ventana ? ventana->frameGeometry()
                             : (screen() ? screen()->availableGeometry() : QRect(0, 0, 1280, 800));
  move(zona.center() - rect().center());
}

void TfrmLentilla::Poner_Titulo(const QString& tienda) {
  QString t = kPantalla + QStringLiteral(" - ") + seleccion_.textoPaciente;
  if (!tienda.isNull()) t += QStringLiteral(" - ") + tienda;
  setWindowTitle(t);
}

void TfrmLentilla::Icono_Observaciones() {
  // A new tab icon lays the tab bar out again and repaints the whole page:
  // only when the observations appear or go.
  const int pestana = pclLentilla_->indexOf(observaciones_);
  const bool conObservaciones = !observaciones_->Vacia();
  if (pclLentilla_->tabIcon(pestana).isNull() == conObservaciones)
    pclLentilla_->setTabIcon(pestana,
                             conObservaciones ? TdmLentilla::Imagen(QStringLiteral("observaciones")) : QIcon());
}

// ---- Showing a record ------------------------------------------------------------------

int TfrmLentilla::Cargar_Ficha(double idFicha) {
  TLentilla& l = objetos_.Lentilla();
  l.ID_MLENTILLA(idFicha);
  const int r = l.Buscar();
  if (r == -5) {
    ctx_->aplicacion->MessageBox(kSinUltima, kAviso, mb::OK);
    return r;
  }
  if (r != 0) return r;
  Mostrar_Ficha(l);
  for (TPaginaLentilla* p : Paginas_Ficha()) p->Fijar_Modificada(false);
  fichaExistente_ = true;
  return 0;
}

void TfrmLentilla::Mostrar_Ficha(TLentilla& l) {
  for (TPaginaLentilla* p : Paginas_Ficha()) p->Mostrar(l);
  Icono_Observaciones();
}

int TfrmLentilla::Preparar_Nueva() {
  if (seleccion_.tieneFichas == 0) {
    ficha_->Limpiar_Medidas();
    for (TPaginaLentilla* p : Paginas_Ficha()) p->Fijar_Modificada(false);
    return 0;
  }
  TLentilla& l = objetos_.Lentilla();
  l.ID_PACIENTE(seleccion_.idPaciente);
  const int r = l.Buscar_Ultima();
  if (r != 0) return r;
  ficha_->Mostrar_Medidas(l);
  int respuesta = mb::IDYES;
  if (ctx_->usuario->preguntarCopia)
    respuesta = ctx_->aplicacion->MessageBox(QStringLiteral("¿Desea copiar los datos de la última ficha?"), kPregunta,
                                             mb::YESNO | mb::ICONQUESTION);
  if (respuesta == mb::IDYES) {
    if (ctx_->usuario->copiarUltimaGraduacion) ficha_->Mostrar_Partes(l, true, false, false);
    if (ctx_->usuario->copiarUltimosLentes) {
      ficha_->Mostrar_Partes(l, false, true, false);
      ficha_->Lineas_Copiadas();  // the copied lenses belong to the new record
    }
  } else {
    ficha_->Limpiar_Graduacion();
  }
  for (TPaginaLentilla* p : Paginas_Ficha()) p->Fijar_Modificada(false);
  return 0;
}

// ---- Changes and questions ---------------------------------------------------------------

void TfrmLentilla::Modificado_Estado(bool modificado) {
  const bool bloqueada = ctx_ && ctx_->usuario->puedeModificar != 1 && fichaExistente_;
  if (bloqueada || !modificado) {
    for (TPaginaLentilla* p : Paginas_Ficha()) p->Fijar_Modificada(false);
  } else if (!Modificado()) {
    ficha_->Fijar_Modificada(true);
  }
  btnGrabar_->setEnabled(Modificado());
  btnBorrar_->setEnabled(!bloqueada);
  Solo_Lectura(bloqueada);
}

void TfrmLentilla::Solo_Lectura(bool soloLectura) {
  // A stored record the user may not change is shown so that nothing can be
  // typed into it: what is typed there could never be saved.
  if (soloLectura == reglas_->Solo_Lectura()) return;
  reglas_->Fijar_Solo_Lectura(soloLectura);
  for (TPaginaLentilla* p : Paginas_Ficha()) p->Fijar_Solo_Lectura(soloLectura);
  btnTrasponer_->setEnabled(!soloLectura);
  lblSoloLectura_->setVisible(soloLectura);
}

bool TfrmLentilla::Preguntar_Cambios(bool soloFicha) {
  TAplicacion* app = ctx_->aplicacion;
  if (Modificado()) {
    const int r = soloFicha ? app->MessageBox(kCambios, kPregunta, mb::YESNOCANCEL | mb::ICONQUESTION)
                            : app->MessageBox(kCambios, kAviso, mb::YESNOCANCEL);
    if (r == mb::IDCANCEL) return false;
    // A save that failed keeps the screen and what was typed.
    if (r == mb::IDYES && !Grabar_Ficha()) return false;
  }
  if (soloFicha) return true;
  if (pruebas_->Modificada()) {
    // No and Cancel both go on; a save that failed keeps the screen.
    const int r = app->MessageBox(QStringLiteral("Los datos de la Prueba han cambiado. ¿Desea guardar los cambios?"),
                                  kAviso, mb::YESNOCANCEL);
    if (r == mb::IDYES && !pruebas_->Grabar_Prueba()) return false;
  }
  if (reposiciones_->Modificada()) {
    const int r = app->MessageBox(
        QStringLiteral("Los datos de Reposiciones han cambiado. ¿Desea guardar los cambios?"), kAviso, mb::YESNOCANCEL);
    if (r == mb::IDCANCEL) return false;
    if (r == mb::IDYES && !reposiciones_->Grabar()) return false;
  }
  return true;
}

// ---- Navigation --------------------------------------------------------------------------

void TfrmLentilla::Navegar(TDireccion direccion) {
  if (!Preguntar_Cambios(false)) return;
  TLentilla& actual = objetos_.Lentilla();
  const QString p = QString::number(static_cast<qint64>(seleccion_.idPaciente));
  const QString n = QString::number(ficha_->Texto_Numero().toLongLong());
  QString sql = QStringLiteral("Select ID_MLENTILLA from MLENTILLA where ID_PACIENTE = ") + p;
  switch (direccion) {
    case TDireccion::kPrimero: sql += QStringLiteral(" Order By NUMERO_FICHA"); break;
    case TDireccion::kAnterior:
      sql += QStringLiteral(" And NUMERO_FICHA < ") + n + QStringLiteral(" Order By NUMERO_FICHA DESC");
      break;
    case TDireccion::kSiguiente:
      sql += QStringLiteral(" And NUMERO_FICHA > ") + n + QStringLiteral(" Order By NUMERO_FICHA");
      break;
    case TDireccion::kUltimo: sql += QStringLiteral(" Order By NUMERO_FICHA DESC"); break;
  }
  TIBQuery& q = dm_->dstDatos;
  q.Close();
  q.SQL.Clear();
  q.SQL.Add(sql);
  q.Open();
  const double clave = q.Eof() ? 0 : q.FieldByName(QStringLiteral("ID_MLENTILLA")).AsFloat();
  q.Close();
  if (q.Transaction && q.Transaction->InTransaction()) q.Transaction->Commit();

  const double mostrada = fichaExistente_ ? actual.ID_MLENTILLA() : -1;
  if (clave != 0 && clave != mostrada) {
    TLentilla& l = objetos_.Lentilla();
    l.ID_PACIENTE(seleccion_.idPaciente);
    l.ID_MLENTILLA(clave);
    const int r = l.Buscar();
    if (r == -5) {
      ctx_->aplicacion->MessageBox(kSinUltima, kAviso, mb::OK);
    } else if (r == 0) {
      // Every control of the record is shown again, so nothing is cleared first.
      Poner_Titulo();
      Mostrar_Ficha(l);
      fichaExistente_ = true;
      seleccion_.idFicha = l.ID_MLENTILLA();  // handed back to the host on closing
      ctx_->acceso->Registrar_Ficha(*ctx_, TBDAcceso::kConsulta, l.ID_MLENTILLA(), l.NUMERO_FICHA(), l.FECHA());
    }
  }
  Modificado_Estado(false);
}

// ---- New, save, delete ----------------------------------------------------------------------

void TfrmLentilla::btnNuevoClick() {
  if (Modificado() && !Preguntar_Cambios(true)) return;
  for (TPaginaLentilla* p : Paginas_Ficha()) p->Limpiar();
  ficha_->Limpiar_Graduacion();
  Poner_Titulo();
  ficha_->Cargar_Doctores();
  ficha_->Cargar_Agentes();
  if (ficha_->Texto_Numero().isEmpty()) return;
  if (Preparar_Nueva() != 0) return;
  TLentilla& l = objetos_.Lentilla();
  // For a patient with records the preparation has just loaded the last one.
  if (seleccion_.tieneFichas == 0) {
    l.ID_PACIENTE(seleccion_.idPaciente);
    l.Buscar_Ultima();
  }
  ficha_->Fijar_Numero(l.ID_MLENTILLA() > 0 ? l.NUMERO_FICHA() + 1 : 1);
  objetos_.Renovar_Lentilla();  // a fresh object for the new record
  pclLentilla_->setCurrentWidget(ficha_);
  ficha_->Enfocar();
  fichaExistente_ = false;
  Modificado_Estado(true);
}

void TfrmLentilla::Recoger_Ficha(TLentilla& l) {
  l.ID_PACIENTE(seleccion_.idPaciente);
  for (TPaginaLentilla* p : Paginas_Ficha()) p->Recoger(l);
}

int TfrmLentilla::Grabar_Lineas(double idFicha) {
  TLentilla& l = objetos_.Lentilla();
  l.Crear_Detalle();
  TDLentilla& d = *l.Detalle();
  d.Moneda(ctx_->moneda);
  d.ID_MLENTILLA(idFicha);
  const int r = d.Borrar_Lineas();
  return r != 0 ? r : ficha_->Grabar_Lineas(d);
}

void TfrmLentilla::btnGrabarClick() { Grabar_Ficha(); }

int TfrmLentilla::Grabar_Unidad(TLentilla& l, bool nueva, bool lineas) {
  // The record, its observations, its lens lines, its log row and its
  // reminder are written whole or not at all.
  const double claveAntes = l.ID_MLENTILLA();
  TUnidadTrabajo unidad(ctx_->conexionPrincipal);
  int r;
  if (nueva) {
    l.ID_TIENDA(ctx_->puesto->idTienda);
    r = l.Insertar();
  } else {
    // Another workstation's change since the record was read is never
    // overwritten without the user knowing.
    QString quien;
    double cuando = 0;
    r = l.Comprobar_Version(quien, cuando);
    if (r == TLentilla::kFichaCambiada || r == TLentilla::kFichaBorrada || r == TLentilla::kFichaBloqueada) {
      // The unit ends (and lets go of the row it locked) before the user is asked.
      unidad.Anular();
      unidad.Confirmar();
      if (r == TLentilla::kFichaBloqueada)
        Avisar_Fallo(nullptr, r, TAccion::kGrabar);
      else
        Avisar_Cambio_Ajeno(r, quien, cuando);
      return -1;
    }
    if (r == 0) r = l.Modificar();
  }
  if (r == 0)
    ctx_->acceso->Registrar_Ficha(*ctx_, nueva ? TBDAcceso::kCreacion : TBDAcceso::kModificacion,
                                  l.ID_MLENTILLA(), l.NUMERO_FICHA(), l.FECHA());
  if (r == 0 && lineas) r = Grabar_Lineas(l.ID_MLENTILLA());
  if (r == 0 && ctx_->empresa->avisoRevision == 1 && !ficha_->Sin_Fecha_Revision())
    objetos_.Agenda().Recordatorio_Revision(l.ID_MLENTILLA(), ficha_->Fecha_Revision());
  if (r != 0) unidad.Anular();
  if (!unidad.Confirmar()) {
    // Nothing was written: the typed data stays on screen, still marked
    // changed, and a new record is still new (a retry inserts it once).
    if (nueva) l.ID_MLENTILLA(claveAntes);
    const EIBError* causa = unidad.Causa();
    if (nueva && Numero_Ocupado(causa)) return kNumeroOcupado;
    Avisar_Fallo(causa, r, TAccion::kGrabar);
    return -1;
  }
  return 0;
}

bool TfrmLentilla::Grabar_Ficha() {
  if (ficha_->Texto_Numero() == QLatin1String("0")) return true;
  if (!ficha_->Comprobar_Fechas() || !ficha_->Comprobar_Lineas()) return false;
  TLentilla& l = objetos_.Lentilla();
  Recoger_Ficha(l);
  const bool nueva = !fichaExistente_;
  const bool lineas = ficha_->Lineas_Modificadas();
  // A new record whose number another workstation has just taken is saved
  // under the next free one (the database keeps numbers unique per patient).
  for (int intento = 0;; ++intento) {
    const int resultado = Grabar_Unidad(l, nueva, lineas);
    if (resultado == 0) break;
    if (resultado != kNumeroOcupado) return false;
    if (intento == 4) {
      ctx_->aplicacion->MessageBox(QStringLiteral("Otros puestos están creando fichas de este paciente a la vez y no "
                                                  "queda un número libre. No se ha grabado nada y los datos siguen "
                                                  "en pantalla: inténtelo de nuevo."),
                                   kAviso, mb::OK | mb::ICONWARNING);
      return false;
    }
    ficha_->Fijar_Numero(Tomar_Numero_Libre(l));
  }
  if (lineas) ficha_->Lineas_Grabadas();
  l.VERSION(nueva ? 0 : l.VERSION() + 1);  // the row's version, as its trigger counts
  TTienda& tienda = objetos_.Tienda();
  tienda.ID_TIENDA(static_cast<int32_t>(l.ID_TIENDA()));
  tienda.Buscar();
  Poner_Titulo(tienda.DESCRIPCION());

  seleccion_.idFicha = l.ID_MLENTILLA();
  seleccion_.ultimaFicha = ficha_->Texto_Numero().toInt();
  seleccion_.tieneFichas = seleccion_.fichaGrabada = 1;
  if (nueva) {
    ++seleccion_.numLentillas;
    ficha_->Titulo_Fichas(seleccion_);
  }
  fichaExistente_ = true;
  Modificado_Estado(false);
  pclLentilla_->setCurrentWidget(ficha_);
  Icono_Observaciones();
  return true;
}

bool TfrmLentilla::Numero_Ocupado(const EIBError* causa) {
  return causa && (causa->Contiene(isc_unique_key_violation) || causa->Contiene(isc_no_dup));
}

int TfrmLentilla::Tomar_Numero_Libre(TLentilla& l) {
  const int ocupado = l.NUMERO_FICHA();
  const int siguiente = std::max(l.Siguiente_Numero(), ocupado + 1);
  l.NUMERO_FICHA(siguiente);
  sbr_Ayuda_->showMessage(QStringLiteral("La ficha se ha grabado con el número %1: otro puesto acababa de usar el %2.")
                              .arg(siguiente)
                              .arg(ocupado),
                          15000);
  return siguiente;
}

void TfrmLentilla::Avisar_Cambio_Ajeno(int resultado, const QString& quien, double cuando) {
  TLentilla& l = objetos_.Lentilla();
  if (resultado == TLentilla::kFichaBorrada) {
    ctx_->aplicacion->MessageBox(
        QStringLiteral("Otro puesto ha borrado esta ficha después de que usted la abriera. No se ha grabado nada y "
                       "los datos siguen en pantalla: si quiere conservarlos, cópielos en una ficha nueva."),
        kAviso, mb::OK | mb::ICONWARNING);
    return;
  }
  const int respuesta = ctx_->aplicacion->MessageBox(Texto_Cambio_Ajeno(QStringLiteral("ficha"), quien, cuando),
                                                     kPregunta, mb::YESNO | mb::ICONQUESTION);
  if (respuesta != mb::IDYES) return;
  if (Cargar_Ficha(l.ID_MLENTILLA()) == 0) Modificado_Estado(false);
}

void TfrmLentilla::Avisar_Fallo(const EIBError* causa, int resultado, TAccion accion, TObjeto objeto) {
  const bool grabar = accion == TAccion::kGrabar;
  const bool prueba = objeto == TObjeto::kPrueba;
  const bool reposiciones = objeto == TObjeto::kReposiciones;
  const QString que = prueba ? QStringLiteral("prueba")
                      : reposiciones ? QStringLiteral("lista de reposiciones")
                                     : QStringLiteral("ficha");
  const QString nada = grabar ? QStringLiteral(" No se ha grabado nada y los datos siguen en pantalla")
                              : QStringLiteral(" No se ha borrado nada");
  if (resultado == TLentilla::kFichaBloqueada ||
      (causa && causa->Conflicto())) {
    ctx_->aplicacion->MessageBox(QStringLiteral("Otra estación está grabando esta %1 en este momento.").arg(que) + nada +
                                     QStringLiteral(": inténtelo de nuevo dentro de un momento."),
                                 kAviso, mb::OK | mb::ICONWARNING);
    return;
  }
  // A value the database refuses: too long or too large for its column, or
  // against one of its rules.
  if (causa && (causa->Contiene(isc_string_truncation) || causa->Contiene(isc_arith_except) ||
                causa->Contiene(isc_check_constraint) || causa->Contiene(isc_not_valid) ||
                causa->Contiene(isc_unique_key_violation) || causa->Contiene(isc_no_dup) ||
                causa->Contiene(isc_foreign_key))) {
    ctx_->aplicacion->MessageBox(QStringLiteral("La base de datos no admite un dato de la %1.").arg(que) + nada +
                                     QStringLiteral(": corríjalo e inténtelo de nuevo.\n\n") + causa->Message(),
                                 kAviso, mb::OK | mb::ICONWARNING);
    return;
  }
  // Anything else is not expected: the error report, with the handler's label.
  const QString etiqueta = objeto == TObjeto::kDefinitiva ? QStringLiteral("btnPruebaDefinitiva -> OnClick")
                           : reposiciones ? (grabar ? QStringLiteral("btnReposicionGrabar -> OnClick")
                                                    : QStringLiteral("btnReposicionBorrar -> OnClick"))
                           : prueba ? (grabar ? QStringLiteral("btnPruebaGrabar -> OnClick")
                                           : QStringLiteral("btnPruebaBorrar -> OnClick"))
                                  : (grabar ? QStringLiteral("btnGrabar -> OnClick") : QStringLiteral("btnBorrar -> OnClick"));
  TfrmError::Mostrar(ctx_, etiqueta,
                     causa ? causa->Message()
                           : (grabar ? QStringLiteral("La grabación de la %1 ha fallado (resultado %2).")
                                     : QStringLiteral("El borrado de la %1 ha fallado (resultado %2)."))
                                 .arg(que)
                                 .arg(resultado));
}

void TfrmLentilla::btnBorrarClick() {
  if (ficha_->Texto_Numero() == QLatin1String("0")) return;
  TLentilla& l = objetos_.Lentilla();
  const double clave = l.ID_MLENTILLA();
  const int numero = l.NUMERO_FICHA();
  const double fecha = l.FECHA();
  {
    // The record with its observations and lines, its reminders, the log row
    // and the renumbering of the patient's records go together or not at all.
    TUnidadTrabajo unidad(ctx_->conexionPrincipal);
    int r = l.Borrar();
    if (r == -6) return;  // not confirmed: nothing was written
    const bool borrada = r == 0;
    if (borrada) {
      objetos_.Agenda().Borrar(static_cast<int>(clave), TAgenda::kTipoFichaLentillas);
      ctx_->acceso->Registrar_Ficha(*ctx_, TBDAcceso::kBorrado, clave, numero, fecha);
      l.ID_PACIENTE(seleccion_.idPaciente);
      r = l.Renumerar();
    }
    if (r != 0) unidad.Anular();
    if (!unidad.Confirmar()) {
      if (borrada) ++l.Num_Fichas;  // the record is still there
      Avisar_Fallo(unidad.Causa(), r, TAccion::kBorrar);
      return;
    }
  }
  if (l.Buscar_Ultima() == 0) {
    ficha_->Limpiar_Graduacion();
    Mostrar_Ficha(l);
    --seleccion_.numLentillas;
    seleccion_.ultimaFicha = l.NUMERO_FICHA();
    seleccion_.idFicha = l.ID_MLENTILLA();
    ficha_->Titulo_Fichas(seleccion_);
  }
  fichaExistente_ = true;
  Modificado_Estado(false);
}

void TfrmLentilla::btnTrasponerClick() { ficha_->btnTrasponerClick(); }

void TfrmLentilla::btnSMSClick() {
  // For the record shown (a new one, not yet stored, has no key: 0).
  Abrir_SMS_Ficha(ctx_, fichaExistente_ ? objetos_.Lentilla().ID_MLENTILLA() : 0, this);
}

void TfrmLentilla::pcl_Lentilla_Change() {
  if (!ctx_ || cerrada_) return;
  if (pclLentilla_->currentWidget() == reposiciones_) {
    reposiciones_->Mostrar();
    return;
  }
  if (pclLentilla_->currentWidget() != pruebas_ || !pruebas_->Pendiente()) return;
  pruebas_->Cargar_Pruebas(true);
  pruebas_->Fijar_Pendiente(false);
  pruebas_->Marcar_Prueba(false);
}

void TfrmLentilla::Actualizar_Ultima_Visita() {
  if (ctx_->aplicacion->MessageBox(QStringLiteral("¿Desea actualizar la fecha de última visita del paciente?"),
                                   kPregunta, mb::YESNO | mb::ICONQUESTION) != mb::IDYES)
    return;
  if (objetos_.Paciente().Fijar_Ultima_Visita(static_cast<int32_t>(seleccion_.idPaciente),
                                              ctx_->puesto->fechaTrabajo) != 0) {
    ctx_->aplicacion->MessageBox(QStringLiteral("Lo que ha grabado está guardado, pero no se ha podido actualizar la "
                                                "fecha de última visita del paciente. Inténtelo de nuevo al grabar."),
                                 kAviso, mb::OK | mb::ICONWARNING);
    return;
  }
  seleccion_.fichaGrabada = 1;
}

// ---- Keys, guard, close ----------------------------------------------------------------------

void TfrmLentilla::Teclas(int tecla) {
  const bool enReposiciones = pclLentilla_->currentWidget() == reposiciones_;
  const bool enFicha = pclLentilla_->currentWidget() == ficha_ || pclLentilla_->currentWidget() == observaciones_;
  const bool enPruebas = pclLentilla_->currentWidget() == pruebas_;
  switch (tecla) {
    case Qt::Key_F5:
      if (enFicha) Guardia(QStringLiteral("btnGrabar -> OnClick"), [this] { btnGrabarClick(); });
      if (enPruebas && pruebas_->Modificada())
        Guardia(QStringLiteral("btnPruebaGrabar -> OnClick"), [this] { pruebas_->btnPruebaGrabarClick(); });
      if (enReposiciones && reposiciones_->Modificada())
        Guardia(QStringLiteral("btnReposicionGrabar -> OnClick"), [this] { reposiciones_->btnReposicionGrabarClick(); });
      break;
    case Qt::Key_F6:
      if (enFicha) Guardia(QStringLiteral("btnNuevo -> OnClick"), [this] { btnNuevoClick(); });
      if (enPruebas) Guardia(QStringLiteral("btnPruebaNueva -> OnClick"), [this] { pruebas_->btnPruebaNuevaClick(); });
      if (enReposiciones)
        Guardia(QStringLiteral("btnReposicionNueva -> OnClick"), [this] { reposiciones_->btnReposicionNuevaClick(); });
      break;
    case Qt::Key_F12: close(); break;
  }
}

void TfrmLentilla::Guardia(const QString& etiqueta, const std::function<void()>& accion) {
  try {
    accion();
  } catch (const std::exception& e) {
    TfrmError::Mostrar(ctx_, etiqueta, QString::fromUtf8(e.what()));
  } catch (...) {
    TfrmError::Mostrar(ctx_, etiqueta, QStringLiteral("Error desconocido"));
  }
}

bool TfrmLentilla::event(QEvent* e) {
  if (e->type() == QEvent::StatusTip) {
    sbr_Ayuda_->showMessage(static_cast<QStatusTipEvent*>(e)->tip());
    return true;
  }
  if (e->type() == QEvent::WindowActivate && ctx_ && !cerrada_)
    Guardia(QStringLiteral("FormActivate"), [this] { FormActivate(); });
  return QWidget::event(e);
}

bool TfrmLentilla::eventFilter(QObject* objeto, QEvent* evento) {
  if (evento->type() == QEvent::KeyPress && ctx_ && ctx_->teclado) {
    auto* tecla = static_cast<QKeyEvent*>(evento);
    auto* w = qobject_cast<QWidget*>(objeto);
    if ((tecla->key() == Qt::Key_Return || tecla->key() == Qt::Key_Enter) && w && (w == this || isAncestorOf(w)) &&
        w == QApplication::focusWidget() && ctx_->teclado->Enter_Mueve_Foco(this)) {
      focusNextChild();
      return true;
    }
  }
  return QWidget::eventFilter(objeto, evento);
}

void TfrmLentilla::closeEvent(QCloseEvent* e) {
  if (!cerrada_ && ctx_ && !Preguntar_Cambios(false)) {
    e->ignore();
    return;
  }
  FormClose();
  e->accept();
}

void TfrmLentilla::FormClose() {
  if (cerrada_ || !ctx_) return;
  cerrada_ = true;
  if (ctx_->acceso) ctx_->acceso->Registrar_Entrada_Salida(*ctx_, 1);
  seleccion_.moduloAbierto = 0;
  objetos_.Liberar();
  modulos_.Liberar_Todos();
  dm_.reset();
  Devolver_Seleccion();
}

void TfrmLentilla::Devolver_Seleccion() {
  TSeleccion& s = ctx_->seleccion;
  s.idPaciente = seleccion_.idFicha;  // 168 receives the record key the screen held
  s.ultimaFicha = seleccion_.ultimaFicha;
  s.numGraduaciones = seleccion_.numGraduaciones;
  s.numLentillas = seleccion_.numLentillas;
  s.numAudifonos = seleccion_.numAudifonos;
  s.numOptometrias = seleccion_.numOptometrias;
  s.numOptometriasReducidas = seleccion_.numOptometriasReducidas;
  s.tieneFichas = seleccion_.tieneFichas;
  s.fichaGrabada = seleccion_.fichaGrabada;
  s.moduloAbierto = 0;
  for (int i = 0; i < 3; ++i) s.textos[i] = seleccion_.textos[i];
}
