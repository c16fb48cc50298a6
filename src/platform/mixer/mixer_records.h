#pragma once

#include <cstddef>
#include <cstdint>

// The mixer's records, constants and result codes, in the layouts its callers fill. Fields this
// program never reads are kept only as padding, so every used field sits where callers expect it.

using MMRESULT = uint32_t;
// An open mixer, or 0; also a mixer device number where the object flags say so.
using HMIXER = uintptr_t;
using HMIXEROBJ = uintptr_t;

constexpr MMRESULT MMSYSERR_NOERROR = 0;
constexpr MMRESULT MMSYSERR_ERROR = 1;
constexpr MMRESULT MMSYSERR_BADDEVICEID = 2;
constexpr MMRESULT MMSYSERR_INVALHANDLE = 5;
constexpr MMRESULT MMSYSERR_NODRIVER = 6;
constexpr MMRESULT MMSYSERR_NOTSUPPORTED = 8;
constexpr MMRESULT MMSYSERR_INVALFLAG = 10;
constexpr MMRESULT MMSYSERR_INVALPARAM = 11;
constexpr MMRESULT MIXERR_INVALLINE = 1024;
constexpr MMRESULT MIXERR_INVALCONTROL = 1025;
constexpr MMRESULT MIXERR_INVALVALUE = 1026;

// How the mixer object argument is meant: a device number (0) or an open handle.
constexpr uint32_t MIXER_OBJECTF_MIXER = 0;
constexpr uint32_t MIXER_OBJECTF_HMIXER = 0x80000000;
constexpr uint32_t MIXER_OBJECTF_TYPEMASK = 0xF0000000;

constexpr uint32_t MIXER_GETLINEINFOF_SOURCE = 1;
constexpr uint32_t MIXER_GETLINEINFOF_COMPONENTTYPE = 3;
constexpr uint32_t MIXER_GETLINECONTROLSF_ONEBYTYPE = 2;
constexpr uint32_t MIXER_GETCONTROLDETAILSF_VALUE = 0;
constexpr uint32_t MIXER_SETCONTROLDETAILSF_VALUE = 0;
constexpr uint32_t MIXER_QUERYMASK = 0x0000000F;

constexpr uint32_t CALLBACK_NULL = 0;
constexpr uint32_t CALLBACK_WINDOW = 0x10000;
constexpr uint32_t CALLBACK_TYPEMASK = 0x70000;

// Posted to the window given to mixerOpen; wParam is the mixer handle, lParam the control.
constexpr uint32_t MM_MIXM_CONTROL_CHANGE = 0x3D1;

constexpr uint32_t MIXERLINE_COMPONENTTYPE_DST_WAVEIN = 7;
constexpr uint32_t MIXERLINE_COMPONENTTYPE_SRC_LINE = 0x1002;
constexpr uint32_t MIXERLINE_COMPONENTTYPE_SRC_MICROPHONE = 0x1003;
constexpr uint32_t MIXERLINE_COMPONENTTYPE_SRC_ANALOG = 0x1009;

constexpr uint32_t MIXERLINE_LINEF_ACTIVE = 1;
constexpr uint32_t MIXERLINE_LINEF_SOURCE = 0x80000000;

constexpr uint32_t MIXERCONTROL_CONTROLTYPE_MUTE = 0x20010002;
constexpr uint32_t MIXERCONTROL_CONTROLTYPE_VOLUME = 0x50030001;
constexpr uint32_t MIXERCONTROL_CONTROLTYPE_MUX = 0x70010001;
constexpr uint32_t MIXERCONTROL_CONTROLTYPE_MIXER = 0x71010001;

constexpr uint32_t MIXERCONTROL_CONTROLF_UNIFORM = 1;
constexpr uint32_t MIXERCONTROL_CONTROLF_MULTIPLE = 2;

constexpr size_t MIXER_SHORT_NAME_CHARS = 16;
constexpr size_t MIXER_LONG_NAME_CHARS = 64;

struct MIXERLINEA {
  uint32_t cbStruct;
  uint32_t dwDestination;
  uint32_t dwSource;
  uint32_t dwLineID;
  uint32_t fdwLine;
  uint32_t dwReservedUser;
  uint32_t dwComponentType;
  uint32_t cChannels;
  uint32_t cConnections;
  uint32_t cControls;
  char szShortName[MIXER_SHORT_NAME_CHARS];
  char szName[MIXER_LONG_NAME_CHARS];
  uint8_t Target[48];
};
static_assert(sizeof(MIXERLINEA) == 168);
static_assert(offsetof(MIXERLINEA, dwComponentType) == 24 && offsetof(MIXERLINEA, szShortName) == 40);

struct MIXERCONTROLA {
  uint32_t cbStruct;
  uint32_t dwControlID;
  uint32_t dwControlType;
  uint32_t fdwControl;
  uint32_t cMultipleItems;
  char szShortName[MIXER_SHORT_NAME_CHARS];
  char szName[MIXER_LONG_NAME_CHARS];
  struct {
    uint32_t dwMinimum;
    uint32_t dwMaximum;
    uint32_t dwReserved[4];
  } Bounds;
  struct {
    uint32_t cSteps;
    uint32_t dwReserved[5];
  } Metrics;
};
static_assert(sizeof(MIXERCONTROLA) == 148);
static_assert(offsetof(MIXERCONTROLA, Bounds) == 100 && offsetof(MIXERCONTROLA, Metrics) == 124);

// The two records below end in a pointer, so they are 24 bytes where pointers are 4 bytes and
// 28 where they are 8; cbStruct must be their sizeof. The fields before it keep their places.
#pragma pack(push, 4)
struct MIXERLINECONTROLSA {
  uint32_t cbStruct;
  uint32_t dwLineID;
  uint32_t dwControlType; // also the control identifier of by-identifier queries
  uint32_t cControls;
  uint32_t cbmxctrl;
  MIXERCONTROLA *pamxctrl;
};

struct MIXERCONTROLDETAILS {
  uint32_t cbStruct;
  uint32_t dwControlID;
  uint32_t cChannels;
  uint32_t cMultipleItems;
  uint32_t cbDetails;
  void *paDetails;
};
#pragma pack(pop)
static_assert(sizeof(MIXERLINECONTROLSA) == 20 + sizeof(void *));
static_assert(offsetof(MIXERLINECONTROLSA, pamxctrl) == 20);
static_assert(sizeof(MIXERCONTROLDETAILS) == 20 + sizeof(void *));
static_assert(offsetof(MIXERCONTROLDETAILS, paDetails) == 20);

// One 4-byte value of a details buffer.
struct MIXERCONTROLDETAILS_UNSIGNED {
  uint32_t dwValue;
};
