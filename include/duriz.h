/*
 * duriz.h - the public interface of the Duriz script engine.
 *
 * Plain C, usable from C and C++ hosts. The host starts the engine once with
 * JS_Init, compiles script text into scripts, binds them to its window
 * objects in evaluation contexts and runs them under a step budget. Every
 * handle is an opaque pointer; null means failure. Results are the DURIZ_*
 * codes below. All calls come from one thread.
 */
#ifndef DURIZ_H
#define DURIZ_H

#include <stddef.h>
#include <stdint.h>

/* One calling convention on every export and callback: __cdecl on 32-bit
   Windows, the platform's only convention elsewhere. */
#if defined(_WIN32) && !defined(_WIN64)
#define DURIZ_CALL __cdecl
#else
#define DURIZ_CALL
#endif

/* Marks the exports when the engine itself is built as a shared library. */
#if defined(DURIZ_BUILDING) && defined(__GNUC__) && !defined(_WIN32)
#define DURIZ_API __attribute__((visibility("default")))
#else
#define DURIZ_API
#endif

#ifdef __cplusplus
extern "C" {
#endif

/* Opaque handles. */
typedef struct JsScript JsScript;           /* a compiled script */
typedef struct JsEvalContext JsEvalContext; /* a script bound to a window, with its run state */
typedef struct JsValue JsValue;             /* any value: object, function, text, number, ... */

/* Result and status codes. */
enum {
    DURIZ_OK = 1111,            /* success; a script is complete */
    DURIZ_NULL_HANDLE = 5555,   /* a null script or context was passed */
    DURIZ_MORE_TEXT = 700,      /* compiling stopped at the end of the text; more is expected */
    DURIZ_SYNTAX_ERROR = 1000,  /* syntax error, already reported through reportError */
    DURIZ_RUNTIME_ERROR = 1001, /* run-time error, already reported through reportError */
    DURIZ_BUSY = 1234,          /* refused (running, or in a dialog) or step budget used up: call again */
    DURIZ_DONE = 1789,          /* evaluation finished without a boolean result */
    DURIZ_DONE_TRUE = 7777,     /* evaluation finished; the last value is true */
    DURIZ_DONE_FALSE = 9000     /* evaluation finished; the last value is false */
};

/* Class numbers: the kinds of object. The host creates kinds 0, 1, 6 and
   10-33 with JS_CreateObject; 5, 13 and 23-25 belong to no class. The
   engine knows the form element kinds 11, 12 and 14-21 only by their member
   tables; the names here are the suggested use. */
enum {
    DURIZ_CLASS_WINDOW = 0,
    DURIZ_CLASS_DOCUMENT = 1,
    DURIZ_CLASS_OBJECT = 2,
    DURIZ_CLASS_STRING = 3,
    DURIZ_CLASS_NUMBER = 4,
    DURIZ_CLASS_ARRAY = 6,         /* also the host collections (forms, images, ...) */
    DURIZ_CLASS_MATH = 7,
    DURIZ_CLASS_DATE = 8,
    DURIZ_CLASS_FUNCTION = 9,
    DURIZ_CLASS_FORM = 10,
    DURIZ_CLASS_BUTTON = 11,       /* name, type, form, value, onclick */
    DURIZ_CLASS_CHECKBOX = 12,     /* ... plus checked, defaultChecked */
    DURIZ_CLASS_HIDDEN = 14,       /* name, type, form, value */
    DURIZ_CLASS_PASSWORD = 15,     /* text entry: value, blur, focus, select, onblur, onfocus, onchange */
    DURIZ_CLASS_RADIO = 16,        /* as checkbox */
    DURIZ_CLASS_RESET = 17,        /* as button */
    DURIZ_CLASS_SELECT = 18,       /* selection list with its options */
    DURIZ_CLASS_SUBMIT = 19,       /* as button */
    DURIZ_CLASS_TEXT = 20,         /* text entry plus defaultValue */
    DURIZ_CLASS_TEXTAREA = 21,     /* text entry plus defaultValue */
    DURIZ_CLASS_OPTION = 22,
    DURIZ_CLASS_HISTORY = 26,
    DURIZ_CLASS_IMAGE = 27,
    DURIZ_CLASS_LINK = 28,
    DURIZ_CLASS_LOCATION = 29,
    DURIZ_CLASS_MIMETYPE = 30,
    DURIZ_CLASS_NAVIGATOR = 31,
    DURIZ_CLASS_PLUGIN = 32,
    DURIZ_CLASS_ELEMENT_GROUP = 33 /* several form elements sharing one name */
};

/* Name indexes: the 210 built-in names, as passed to the callbacks and to
   JS_AddObjectIdx, JS_GetObjectStringValue and JS_GetObjectHandleValue. */
enum {
    DURIZ_NAME_E = 0,
    DURIZ_NAME_PI = 1,
    DURIZ_NAME_GO = 2,
    DURIZ_NAME_LN2 = 3,
    DURIZ_NAME_URL = 4,
    DURIZ_NAME_UTC = 5,
    DURIZ_NAME_NAN = 6,
    DURIZ_NAME_MAX = 7,
    DURIZ_NAME_TAN = 8,
    DURIZ_NAME_ABS = 9,
    DURIZ_NAME_BIG = 10,
    DURIZ_NAME_MIN = 11,
    DURIZ_NAME_SIN = 12,
    DURIZ_NAME_COS = 13,
    DURIZ_NAME_LOG = 14,
    DURIZ_NAME_POW = 15,
    DURIZ_NAME_TOP = 16,
    DURIZ_NAME_SRC = 17,
    DURIZ_NAME_SUB = 18,
    DURIZ_NAME_SUN = 19,
    DURIZ_NAME_SUP = 20,
    DURIZ_NAME_EXP = 21,
    DURIZ_NAME_JAVA = 22,
    DURIZ_NAME_DATE = 23,
    DURIZ_NAME_NAME = 24,
    DURIZ_NAME_MATH = 25,
    DURIZ_NAME_SELF = 26,
    DURIZ_NAME_HASH = 27,
    DURIZ_NAME_BACK = 28,
    DURIZ_NAME_BOLD = 29,
    DURIZ_NAME_CEIL = 30,
    DURIZ_NAME_HREF = 31,
    DURIZ_NAME_LINK = 32,
    DURIZ_NAME_TYPE = 33,
    DURIZ_NAME_ACOS = 34,
    DURIZ_NAME_FORM = 35,
    DURIZ_NAME_JOIN = 36,
    DURIZ_NAME_OPEN = 37,
    DURIZ_NAME_NEXT = 38,
    DURIZ_NAME_TEXT = 39,
    DURIZ_NAME_EVAL = 40,
    DURIZ_NAME_ASIN = 41,
    DURIZ_NAME_ATAN = 42,
    DURIZ_NAME_BLUR = 43,
    DURIZ_NAME_HOST = 44,
    DURIZ_NAME_PORT = 45,
    DURIZ_NAME_SORT = 46,
    DURIZ_NAME_SQRT = 47,
    DURIZ_NAME_LN10 = 48,
    DURIZ_NAME_CLEAR = 49,
    DURIZ_NAME_RESET = 50,
    DURIZ_NAME_FIXED = 51,
    DURIZ_NAME_ARRAY = 52,
    DURIZ_NAME_ISNAN = 53,
    DURIZ_NAME_INDEX = 54,
    DURIZ_NAME_IMAGE = 55,
    DURIZ_NAME_TAINT = 56,
    DURIZ_NAME_LINKS = 57,
    DURIZ_NAME_TITLE = 58,
    DURIZ_NAME_SPLIT = 59,
    DURIZ_NAME_SMALL = 60,
    DURIZ_NAME_PARSE = 61,
    DURIZ_NAME_BLINK = 62,
    DURIZ_NAME_FORMS = 63,
    DURIZ_NAME_FLOOR = 64,
    DURIZ_NAME_VALUE = 65,
    DURIZ_NAME_ROUND = 66,
    DURIZ_NAME_ALERT = 67,
    DURIZ_NAME_WIDTH = 68,
    DURIZ_NAME_CLOSE = 69,
    DURIZ_NAME_FOCUS = 70,
    DURIZ_NAME_WRITE = 71,
    DURIZ_NAME_LOG2E = 72,
    DURIZ_NAME_SQRT2 = 73,
    DURIZ_NAME_LOWSRC = 74,
    DURIZ_NAME_CHARAT = 75,
    DURIZ_NAME_GETDAY = 76,
    DURIZ_NAME_ESCAPE = 77,
    DURIZ_NAME_DOMAIN = 78,
    DURIZ_NAME_OBJECT = 79,
    DURIZ_NAME_WINDOW = 80,
    DURIZ_NAME_SELECT = 81,
    DURIZ_NAME_ANCHOR = 82,
    DURIZ_NAME_TARGET = 83,
    DURIZ_NAME_HSPACE = 84,
    DURIZ_NAME_VSPACE = 85,
    DURIZ_NAME_BORDER = 86,
    DURIZ_NAME_EMBEDS = 87,
    DURIZ_NAME_NUMBER = 88,
    DURIZ_NAME_IMAGES = 89,
    DURIZ_NAME_RANDOM = 90,
    DURIZ_NAME_PARENT = 91,
    DURIZ_NAME_METHOD = 92,
    DURIZ_NAME_HEIGHT = 93,
    DURIZ_NAME_PROMPT = 94,
    DURIZ_NAME_COOKIE = 95,
    DURIZ_NAME_ACTION = 96,
    DURIZ_NAME_LENGTH = 97,
    DURIZ_NAME_LOG10E = 98,
    DURIZ_NAME_RELOAD = 99,
    DURIZ_NAME_ASSIGN = 100,
    DURIZ_NAME_STATUS = 101,
    DURIZ_NAME_SEARCH = 102,
    DURIZ_NAME_STRING = 103,
    DURIZ_NAME_ONLOAD = 104,
    DURIZ_NAME_SCROLL = 105,
    DURIZ_NAME_CLOSED = 106,
    DURIZ_NAME_FRAMES = 107,
    DURIZ_NAME_OPENER = 108,
    DURIZ_NAME_STRIKE = 109,
    DURIZ_NAME_ONBLUR = 110,
    DURIZ_NAME_SUBMIT = 111,
    DURIZ_NAME_HISTORY = 112,
    DURIZ_NAME_WRITELN = 113,
    DURIZ_NAME_FORWARD = 114,
    DURIZ_NAME_VALUEOF = 115,
    DURIZ_NAME_GETDATE = 116,
    DURIZ_NAME_SETDATE = 117,
    DURIZ_NAME_GETTIME = 118,
    DURIZ_NAME_SETTIME = 119,
    DURIZ_NAME_SETYEAR = 120,
    DURIZ_NAME_GETYEAR = 121,
    DURIZ_NAME_SQRT1_2 = 122,
    DURIZ_NAME_APPNAME = 123,
    DURIZ_NAME_UNTAINT = 124,
    DURIZ_NAME_PLUGINS = 125,
    DURIZ_NAME_CHECKED = 126,
    DURIZ_NAME_ONRESET = 127,
    DURIZ_NAME_APPLETS = 128,
    DURIZ_NAME_REPLACE = 129,
    DURIZ_NAME_REVERSE = 130,
    DURIZ_NAME_ONABORT = 131,
    DURIZ_NAME_ONCLICK = 132,
    DURIZ_NAME_ONERROR = 133,
    DURIZ_NAME_BGCOLOR = 134,
    DURIZ_NAME_FGCOLOR = 135,
    DURIZ_NAME_CONFIRM = 136,
    DURIZ_NAME_INDEXOF = 137,
    DURIZ_NAME_ANCHORS = 138,
    DURIZ_NAME_ITALICS = 139,
    DURIZ_NAME_OPTIONS = 140,
    DURIZ_NAME_ONFOCUS = 141,
    DURIZ_NAME_CURRENT = 142,
    DURIZ_NAME_ONSUBMIT = 143,
    DURIZ_NAME_FILENAME = 144,
    DURIZ_NAME_DOCUMENT = 145,
    DURIZ_NAME_SELECTED = 146,
    DURIZ_NAME_ONUNLOAD = 147,
    DURIZ_NAME_ENCODING = 148,
    DURIZ_NAME_ONCHANGE = 149,
    DURIZ_NAME_PATHNAME = 150,
    DURIZ_NAME_LOCATION = 151,
    DURIZ_NAME_PREVIOUS = 152,
    DURIZ_NAME_FONTSIZE = 153,
    DURIZ_NAME_TOSTRING = 154,
    DURIZ_NAME_NETSCAPE = 155,
    DURIZ_NAME_HOSTNAME = 156,
    DURIZ_NAME_COMPLETE = 157,
    DURIZ_NAME_FUNCTION = 158,
    DURIZ_NAME_PACKAGES = 159,
    DURIZ_NAME_PARSEINT = 160,
    DURIZ_NAME_SUFFIXES = 161,
    DURIZ_NAME_UNESCAPE = 162,
    DURIZ_NAME_ELEMENTS = 163,
    DURIZ_NAME_PROTOCOL = 164,
    DURIZ_NAME_REFERRER = 165,
    DURIZ_NAME_GETMONTH = 166,
    DURIZ_NAME_SETMONTH = 167,
    DURIZ_NAME_GETHOURS = 168,
    DURIZ_NAME_SETHOURS = 169,
    DURIZ_NAME_NAVIGATOR = 170,
    DURIZ_NAME_LINKCOLOR = 171,
    DURIZ_NAME_MIMETYPES = 172,
    DURIZ_NAME_MAX_VALUE = 173,
    DURIZ_NAME_MIN_VALUE = 174,
    DURIZ_NAME_FONTCOLOR = 175,
    DURIZ_NAME_SUBSTRING = 176,
    DURIZ_NAME_USERAGENT = 177,
    DURIZ_NAME_VLINKCOLOR = 178,
    DURIZ_NAME_ALINKCOLOR = 179,
    DURIZ_NAME_ONMOUSEOUT = 180,
    DURIZ_NAME_PARSEFLOAT = 181,
    DURIZ_NAME_SETSECONDS = 182,
    DURIZ_NAME_GETSECONDS = 183,
    DURIZ_NAME_SETMINUTES = 184,
    DURIZ_NAME_GETMINUTES = 185,
    DURIZ_NAME_APPVERSION = 186,
    DURIZ_NAME_SETTIMEOUT = 187,
    DURIZ_NAME_LASTINDEXOF = 188,
    DURIZ_NAME_JAVAENABLED = 189,
    DURIZ_NAME_ONMOUSEOVER = 190,
    DURIZ_NAME_DESCRIPTION = 191,
    DURIZ_NAME_APPCODENAME = 192,
    DURIZ_NAME_TOGMTSTRING = 193,
    DURIZ_NAME_TOLOWERCASE = 194,
    DURIZ_NAME_TOUPPERCASE = 195,
    DURIZ_NAME_DEFAULTVALUE = 196,
    DURIZ_NAME_ELEMENT_NAME = 197,
    DURIZ_NAME_TAINTENABLED = 198,
    DURIZ_NAME_CLEARTIMEOUT = 199,
    DURIZ_NAME_LASTMODIFIED = 200,
    DURIZ_NAME_ENABLEDPLUGIN = 201,
    DURIZ_NAME_SELECTEDINDEX = 202,
    DURIZ_NAME_DEFAULTSTATUS = 203,
    DURIZ_NAME_DEFAULTCHECKED = 204,
    DURIZ_NAME_TOLOCALESTRING = 205,
    DURIZ_NAME_DEFAULTSELECTED = 206,
    DURIZ_NAME_GETTIMEZONEOFFSET = 207,
    DURIZ_NAME_NEGATIVE_INFINITY = 208,
    DURIZ_NAME_POSITIVE_INFINITY = 209,
    DURIZ_NAME_COUNT = 210,
    DURIZ_NAME_OWN_VALUE = 65535 /* getHostProperty: the object's own value as text */
};

/* Native ids: the method ids that callHostMethod receives (and the ids of
   every built-in function). DURIZ_METHOD_CLOSED asks whether a window is
   still open. */
enum {
    DURIZ_METHOD_CLOSED = 500,
    DURIZ_NATIVE_WINDOW_ALERT = 1000,
    DURIZ_NATIVE_WINDOW_BLUR = 1001,
    DURIZ_NATIVE_WINDOW_CLEARTIMEOUT = 1002,
    DURIZ_NATIVE_WINDOW_CLOSE = 1003,
    DURIZ_NATIVE_WINDOW_CONFIRM = 1004,
    DURIZ_NATIVE_WINDOW_FOCUS = 1005,
    DURIZ_NATIVE_WINDOW_OPEN = 1006,
    DURIZ_NATIVE_WINDOW_PROMPT = 1007,
    DURIZ_NATIVE_WINDOW_SCROLL = 1008,
    DURIZ_NATIVE_WINDOW_SETTIMEOUT = 1009,
    DURIZ_NATIVE_WINDOW_PARSEINT = 1015,
    DURIZ_NATIVE_WINDOW_PARSEFLOAT = 1016,
    DURIZ_NATIVE_DOCUMENT_CLEAR = 1017,
    DURIZ_NATIVE_DOCUMENT_CLOSE = 1018,
    DURIZ_NATIVE_DOCUMENT_OPEN = 1019,
    DURIZ_NATIVE_DOCUMENT_WRITE = 1020,
    DURIZ_NATIVE_DOCUMENT_WRITELN = 1021,
    DURIZ_NATIVE_HOST_ASSIGN = 1022,
    DURIZ_NATIVE_HOST_EVAL = 1023,
    DURIZ_NATIVE_HOST_TOSTRING = 1024,
    DURIZ_NATIVE_HOST_VALUEOF = 1025,
    DURIZ_NATIVE_STRING_ANCHOR = 1026,
    DURIZ_NATIVE_STRING_BIG = 1027,
    DURIZ_NATIVE_STRING_BLINK = 1028,
    DURIZ_NATIVE_STRING_BOLD = 1029,
    DURIZ_NATIVE_STRING_CHARAT = 1030,
    DURIZ_NATIVE_STRING_FIXED = 1031,
    DURIZ_NATIVE_STRING_FONTCOLOR = 1032,
    DURIZ_NATIVE_STRING_FONTSIZE = 1033,
    DURIZ_NATIVE_STRING_INDEXOF = 1034,
    DURIZ_NATIVE_STRING_ITALICS = 1035,
    DURIZ_NATIVE_STRING_LASTINDEXOF = 1036,
    DURIZ_NATIVE_STRING_LINK = 1037,
    DURIZ_NATIVE_STRING_SMALL = 1038,
    DURIZ_NATIVE_STRING_SPLIT = 1039,
    DURIZ_NATIVE_STRING_STRIKE = 1040,
    DURIZ_NATIVE_STRING_SUB = 1041,
    DURIZ_NATIVE_STRING_SUBSTRING = 1042,
    DURIZ_NATIVE_STRING_SUP = 1043,
    DURIZ_NATIVE_STRING_TOLOWERCASE = 1044,
    DURIZ_NATIVE_STRING_TOUPPERCASE = 1045,
    DURIZ_NATIVE_STRING_VALUEOF = 1046,
    DURIZ_NATIVE_MATH_ABS = 1047,
    DURIZ_NATIVE_MATH_ACOS = 1048,
    DURIZ_NATIVE_MATH_ASIN = 1049,
    DURIZ_NATIVE_MATH_ATAN = 1050,
    DURIZ_NATIVE_MATH_CEIL = 1051,
    DURIZ_NATIVE_MATH_COS = 1052,
    DURIZ_NATIVE_MATH_EXP = 1053,
    DURIZ_NATIVE_MATH_FLOOR = 1054,
    DURIZ_NATIVE_MATH_LOG = 1055,
    DURIZ_NATIVE_MATH_MAX = 1056,
    DURIZ_NATIVE_MATH_MIN = 1057,
    DURIZ_NATIVE_MATH_POW = 1058,
    DURIZ_NATIVE_MATH_RANDOM = 1059,
    DURIZ_NATIVE_MATH_ROUND = 1060,
    DURIZ_NATIVE_MATH_SIN = 1061,
    DURIZ_NATIVE_MATH_SQRT = 1062,
    DURIZ_NATIVE_MATH_TAN = 1063,
    DURIZ_NATIVE_DATE_GETDATE = 1064,
    DURIZ_NATIVE_DATE_GETDAY = 1065,
    DURIZ_NATIVE_DATE_GETHOURS = 1066,
    DURIZ_NATIVE_DATE_GETMINUTES = 1067,
    DURIZ_NATIVE_DATE_GETMONTH = 1068,
    DURIZ_NATIVE_DATE_GETSECONDS = 1069,
    DURIZ_NATIVE_DATE_GETTIME = 1070,
    DURIZ_NATIVE_DATE_GETTIMEZONEOFFSET = 1071,
    DURIZ_NATIVE_DATE_GETYEAR = 1072,
    DURIZ_NATIVE_DATE_PARSE = 1073,
    DURIZ_NATIVE_DATE_SETDATE = 1074,
    DURIZ_NATIVE_DATE_SETHOURS = 1075,
    DURIZ_NATIVE_DATE_SETMINUTES = 1076,
    DURIZ_NATIVE_DATE_SETMONTH = 1077,
    DURIZ_NATIVE_DATE_SETSECONDS = 1078,
    DURIZ_NATIVE_DATE_SETTIME = 1079,
    DURIZ_NATIVE_DATE_SETYEAR = 1080,
    DURIZ_NATIVE_DATE_TOGMTSTRING = 1081,
    DURIZ_NATIVE_DATE_TOLOCALESTRING = 1082,
    DURIZ_NATIVE_DATE_UTC = 1083,
    DURIZ_NATIVE_FORM_RESET = 1084,
    DURIZ_NATIVE_FORM_SUBMIT = 1085,
    DURIZ_NATIVE_TEXT_BLUR = 1089,
    DURIZ_NATIVE_TEXT_FOCUS = 1090,
    DURIZ_NATIVE_TEXT_SELECT = 1091,
    DURIZ_NATIVE_ARRAY_JOIN = 1096,
    DURIZ_NATIVE_ARRAY_REVERSE = 1097,
    DURIZ_NATIVE_ARRAY_SORT = 1098,
    DURIZ_NATIVE_LOCATION_RELOAD = 1102,
    DURIZ_NATIVE_LOCATION_REPLACE = 1103,
    DURIZ_NATIVE_HISTORY_BACK = 1107,
    DURIZ_NATIVE_HISTORY_FORWARD = 1108,
    DURIZ_NATIVE_HISTORY_GO = 1109,
    DURIZ_NATIVE_NAVIGATOR_JAVAENABLED = 1110,
    DURIZ_NATIVE_NAVIGATOR_TAINTENABLED = 1111,
    DURIZ_NATIVE_WINDOW_ESCAPE = 1112,
    DURIZ_NATIVE_WINDOW_UNESCAPE = 1113,
    DURIZ_NATIVE_WINDOW_TAINT = 1114,
    DURIZ_NATIVE_WINDOW_UNTAINT = 1115,
    DURIZ_NATIVE_WINDOW_ISNAN = 1116,
    DURIZ_NATIVE_FIRST = 1000,
    DURIZ_NATIVE_LAST = 1116
};

/* Constructor ids: 2000 plus the class number of what they make. */
enum {
    DURIZ_CTOR_OBJECT = 2002,
    DURIZ_CTOR_STRING = 2003,
    DURIZ_CTOR_NUMBER = 2004,
    DURIZ_CTOR_ARRAY = 2006,
    DURIZ_CTOR_MATH = 2007,
    DURIZ_CTOR_DATE = 2008,
    DURIZ_CTOR_FUNCTION = 2009,
    DURIZ_CTOR_IMAGE = 2027 /* callHostMethod makes the image; its result is the new object */
};

/* Assignment operators, as setHostProperty receives them. */
enum {
    DURIZ_OP_ASSIGN = 322,      /* = */
    DURIZ_OP_ADD_ASSIGN = 302,  /* += */
    DURIZ_OP_SUB_ASSIGN = 305,  /* -= */
    DURIZ_OP_DIV_ASSIGN = 307,  /* /= */
    DURIZ_OP_MUL_ASSIGN = 309,  /* *= */
    DURIZ_OP_MOD_ASSIGN = 311,  /* %= */
    DURIZ_OP_AND_ASSIGN = 314,  /* &= */
    DURIZ_OP_OR_ASSIGN = 317,   /* |= */
    DURIZ_OP_XOR_ASSIGN = 319,  /* ^= */
    DURIZ_OP_SHL_ASSIGN = 327,  /* <<= */
    DURIZ_OP_SHR_ASSIGN = 331,  /* >>= */
    DURIZ_OP_USHR_ASSIGN = 333  /* >>>= */
};

/* ---- Host callbacks, given to JS_Init in this order. Each may be null:
   the engine then behaves as if the host had nothing to say (a member
   reads as null, a store or method does nothing, nodes come from the
   engine's own memory, errors go unreported). A callback must return
   normally: the engine is built without exceptions, and none may cross it
   (a C++ host catches everything inside its callbacks).

   Ownership, everywhere: a JsValue* the engine hands to a callback (args,
   handler) is lent for the call; keep one with JS_NewInstance. A JsValue*
   a callback returns stays the host's: the engine takes references of its
   own where it stores it, and the host gives back its handle when it is
   done (the object lives while anyone holds it). Texts are copied by the
   side that receives them before the call returns. ---- */

/* Reads a scalar member of a host object. The outs come preset to null and
   0. Return nonzero when answered: a non-null *text becomes a string (the
   engine copies it), else *number becomes a number. Zero reads as null.
   nameIndex DURIZ_NAME_OWN_VALUE asks for the object's own value as text.
   May be null. */
typedef int (DURIZ_CALL *DurizGetHostProperty)(uint32_t handle, int nameIndex, int classNumber,
                                               const char **text, int32_t *number);

/* Returns the engine object (made with JS_CreateObject) for a host
   sub-object member, or null: borrowed, so the host keeps it alive (it
   holds its handle from JS_CreateObject) while its document lives. May be
   null. */
typedef JsValue *(DURIZ_CALL *DurizGetHostObject)(uint32_t handle, int nameIndex, int classNumber);

/* Assigns a member. op is the assignment operator (DURIZ_OP_*). For an
   event-handler member the engine passes the handler function (lent for
   the call: keep it with JS_NewInstance) and ignores the result; otherwise the returned text becomes the assignment's value.
   A new location arrives as DURIZ_NAME_LOCATION on class 0 with op
   DURIZ_OP_ASSIGN. May be null. */
typedef const char *(DURIZ_CALL *DurizSetHostProperty)(uint32_t handle, int nameIndex, int classNumber,
                                                       const char *text, JsValue *handler, int op);

/* Runs a host method (methodId is a DURIZ_NATIVE_* id, DURIZ_METHOD_CLOSED or
   DURIZ_CTOR_IMAGE). handle is the object the method was called on; handle2
   by family: window methods the window's handle again; document methods
   the handle of the document's window (the document's own when it has
   none); history.go the current window's handle; DURIZ_CTOR_IMAGE the
   current window's handle as both; other element methods and
   DURIZ_METHOD_CLOSED 0. args is the call's argument list, lent for the
   call (null when there are no arguments, and for DURIZ_METHOD_CLOSED):
   argument k is JS_GetObjectStringValue(args, k, 1) or
   JS_GetObjectHandleValue(args, k, 1), k from 1; past the last argument
   JS_GetObjectStringValue answers null, which is how the host counts them.
   Nonzero means true for confirm and
   DURIZ_METHOD_CLOSED; *number is setTimeout's timer id; a non-null *text
   is prompt's answer; other methods return a JsValue* (or 0) as the call's
   value, such as the window that open makes or the image of new Image()
   (the host keeps its own handle on it). alert, confirm and prompt run with
   the engine's dialog flag set: JS_Evaluate answers DURIZ_BUSY meanwhile.
   May be null. */
typedef intptr_t (DURIZ_CALL *DurizCallHostMethod)(uint32_t handle, uint32_t handle2, int methodId,
                                                   JsValue *args, const char **text, int32_t *number);

/* Memory for the compiled nodes of a script made with a heap. The engine
   never frees it; the host releases its heap once every script made with
   it is deleted and no function from it is held. May be null (a script
   made with a heap then cannot be compiled). */
typedef void *(DURIZ_CALL *DurizHostAlloc)(uintptr_t heap, size_t size);

/* Reports an error: code DURIZ_SYNTAX_ERROR with handle 0 and an excerpt of
   the text (or, when memory ran out while compiling, the words "out of
   memory" in its place), or DURIZ_RUNTIME_ERROR with the global object's
   host handle and the failing expression as source (also when no frame
   could be had for the next node, as in an endless recursion). At most
   1024 characters. The result is not used. May be null. */
typedef int (DURIZ_CALL *DurizReportError)(uint32_t handle, int code, const char *text);

/* ---- Exports ---- */

/* Starts the engine with the six callbacks. Call once before anything else;
   again after JS_Destroy for a fresh engine. */
DURIZ_API void DURIZ_CALL JS_Init(DurizGetHostProperty getHostProperty, DurizGetHostObject getHostObject,
                        DurizSetHostProperty setHostProperty, DurizCallHostMethod callHostMethod,
                        DurizHostAlloc hostAlloc, DurizReportError reportError);

/* Shuts the engine down and frees every byte it allocated, values in
   cycles and those behind handles the host forgot included. Every handle
   should have been given back first; any the host still has dangles
   afterwards. */
DURIZ_API void DURIZ_CALL JS_Destroy(void);

/* A new empty script; heap nonzero allocates its nodes with hostAlloc. */
DURIZ_API JsScript *DURIZ_CALL JS_CreateScript(uintptr_t heap);

/* Compiles text from *position up to end, moving *position. moreToCome
   nonzero: more text follows. Returns DURIZ_OK, DURIZ_MORE_TEXT (call again
   with the same position once more text is in the buffer),
   DURIZ_SYNTAX_ERROR or DURIZ_NULL_HANDLE. */
DURIZ_API int DURIZ_CALL JS_LoadScript(JsScript *script, const char **position, const char *end, int moreToCome);

/* Gives back the host's handle on a script; the script lives on while a
   context or a function made from it holds it. Null does nothing. */
DURIZ_API void DURIZ_CALL JS_DeleteScript(JsScript *script);

/* Binds a script, or else an event handler, to a global object, with the
   object that `this` yields; hoists the top-level function declarations
   onto a window global, where each stays bound: called from anywhere, or
   given here as the handler for another global, it runs in the window it
   was declared in (while that window lives). Null when the global is null
   or neither script nor handler is given. */
DURIZ_API JsEvalContext *DURIZ_CALL JS_CreateEvalContext(JsValue *global, JsScript *script, JsValue *handler,
                                               JsValue *thisObject);

/* Deletes a context, with the frames of a run it stopped. Null does nothing.
   Called from a callback while the context runs, the run stops at its next
   step and the context goes as its JS_Evaluate returns. */
DURIZ_API void DURIZ_CALL JS_DeleteEvalContext(JsEvalContext *context);

/* Runs or resumes a context. Returns DURIZ_DONE, DURIZ_DONE_TRUE,
   DURIZ_DONE_FALSE, DURIZ_BUSY (call again), DURIZ_RUNTIME_ERROR or
   DURIZ_NULL_HANDLE. *result receives the last value with one reference for
   the host (give it back with JS_DeleteObject), or null. */
DURIZ_API int DURIZ_CALL JS_Evaluate(JsEvalContext *context, JsValue **result);

/* A new host object of a class number, holding the host's handle, with one
   reference for the host. owner (a window) is used only for a document.
   Null for a number without a class. */
DURIZ_API JsValue *DURIZ_CALL JS_CreateObject(int classNumber, uint32_t handle, JsValue *owner);

/* Gives back one reference on a value (a handle from JS_CreateObject,
   JS_Evaluate, JS_LoadEventHandler or JS_NewInstance). Null does nothing.
   Values that only hold one another in cycles (a window kept in one of its
   own variables, say) are freed when no handle, context or engine table
   reaches them any more: as the host gives back a window or a document,
   or the last context of a window it gave back, and from time to time as
   scripts run. */
DURIZ_API void DURIZ_CALL JS_DeleteObject(JsValue *value);

/* Appends object (or, when it is null, a new object of the class number
   holding handle) to the parent's collection named by nameIndex, such as
   DURIZ_NAME_FORMS of a document. Returns the object, borrowed, or null. */
DURIZ_API JsValue *DURIZ_CALL JS_AddObjectIdx(JsValue *parent, int nameIndex, int classNumber, int unused,
                                    uint32_t handle, JsValue *object);

/* The object's property of that name, borrowed, or null. A value made on
   the spot for the answer (a host member read through the callbacks, a
   length) lives only until the next getter call (this one,
   JS_GetObjectHandleValue, JS_GetObjectStringValue): a second call frees
   the first. Keep one with JS_NewInstance. */
DURIZ_API JsValue *DURIZ_CALL JS_GetObjectByName(JsValue *object, const char *name);

/* A member that is an object, borrowed (as JS_GetObjectByName), or null.
   byPosition nonzero: key is a 1-based position among the object's own
   properties; else key is a name index of a host object's member. */
DURIZ_API JsValue *DURIZ_CALL JS_GetObjectHandleValue(JsValue *object, int key, int byPosition);

/* A member as text (keys as JS_GetObjectHandleValue), or null. The text is
   valid until the value changes, the next getter call or the next
   conversion; copy it to keep it. */
DURIZ_API const char *DURIZ_CALL JS_GetObjectStringValue(JsValue *object, int key, int byPosition);

/* A value as text, or null for null. Valid as for JS_GetObjectStringValue. */
DURIZ_API const char *DURIZ_CALL JS_GetStringValue(JsValue *value);

/* Compiles an event handler's whole text (return allowed) for an object.
   Returns the handler function with one reference for the host, or null
   after a reported syntax error. id is stored in the handler. */
DURIZ_API JsValue *DURIZ_CALL JS_LoadEventHandler(int id, const char *text, int length, JsValue *object);

/* Adds one reference to a value and returns it (null stays null). */
DURIZ_API JsValue *DURIZ_CALL JS_NewInstance(JsValue *value);

/* Does nothing. */
DURIZ_API void DURIZ_CALL JS_DebugPrint(uint32_t word);

/* Extension (not one of the 18 exports above): bounds the bytes the engine
   holds, engine-wide; 0 (the start) means no bound. Past it every engine
   allocation fails and takes its defined path: the node being evaluated
   gives no value and the run goes on, a script that cannot be compiled
   reports nothing. Nothing already held is freed. */
DURIZ_API void DURIZ_CALL JS_SetMemoryLimit(size_t bytes);

#ifdef __cplusplus
}
#endif

#endif /* DURIZ_H */
