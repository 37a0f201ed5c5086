// The member tables of the host object kinds.
#include "builtins/host_members.h"
#include "builtins/names.h"

#include "duriz.h"

namespace {

const HostMember kWindow[] = {
    {DURIZ_NAME_TOP, MK_HOST_OBJECT, true, 0},
    {DURIZ_NAME_SUN, MK_NULL, true, 0},
    {DURIZ_NAME_JAVA, MK_NULL, true, 0},
    {DURIZ_NAME_NETSCAPE, MK_NULL, true, 0},
    {DURIZ_NAME_PACKAGES, MK_NULL, true, 0},
    {DURIZ_NAME_SELF, MK_SELF, true, 0},
    {DURIZ_NAME_WINDOW, MK_SELF, true, 0},
    {DURIZ_NAME_DATE, MK_NATIVE, false, DURIZ_CTOR_DATE},
    {DURIZ_NAME_MATH, MK_NATIVE, false, DURIZ_CTOR_MATH},
    {DURIZ_NAME_ARRAY, MK_NATIVE, false, DURIZ_CTOR_ARRAY},
    {DURIZ_NAME_IMAGE, MK_NATIVE, false, DURIZ_CTOR_IMAGE},
    {DURIZ_NAME_OBJECT, MK_NATIVE, false, DURIZ_CTOR_OBJECT},
    {DURIZ_NAME_NUMBER, MK_NATIVE, false, DURIZ_CTOR_NUMBER},
    {DURIZ_NAME_STRING, MK_NATIVE, false, DURIZ_CTOR_STRING},
    {DURIZ_NAME_FUNCTION, MK_NATIVE, false, DURIZ_CTOR_FUNCTION},
    {DURIZ_NAME_OPEN, MK_NATIVE, false, DURIZ_NATIVE_WINDOW_OPEN},
    {DURIZ_NAME_EVAL, MK_NATIVE, false, DURIZ_NATIVE_HOST_EVAL},
    {DURIZ_NAME_BLUR, MK_NATIVE, false, DURIZ_NATIVE_WINDOW_BLUR},
    {DURIZ_NAME_ISNAN, MK_NATIVE, false, DURIZ_NATIVE_WINDOW_ISNAN},
    {DURIZ_NAME_TAINT, MK_NATIVE, false, DURIZ_NATIVE_WINDOW_TAINT},
    {DURIZ_NAME_UNTAINT, MK_NATIVE, false, DURIZ_NATIVE_WINDOW_UNTAINT},
    {DURIZ_NAME_ALERT, MK_NATIVE, false, DURIZ_NATIVE_WINDOW_ALERT},
    {DURIZ_NAME_CLOSE, MK_NATIVE, false, DURIZ_NATIVE_WINDOW_CLOSE},
    {DURIZ_NAME_FOCUS, MK_NATIVE, false, DURIZ_NATIVE_WINDOW_FOCUS},
    {DURIZ_NAME_ESCAPE, MK_NATIVE, false, DURIZ_NATIVE_WINDOW_ESCAPE},
    {DURIZ_NAME_UNESCAPE, MK_NATIVE, false, DURIZ_NATIVE_WINDOW_UNESCAPE},
    {DURIZ_NAME_PROMPT, MK_NATIVE, false, DURIZ_NATIVE_WINDOW_PROMPT},
    {DURIZ_NAME_SCROLL, MK_NATIVE, false, DURIZ_NATIVE_WINDOW_SCROLL},
    {DURIZ_NAME_CONFIRM, MK_NATIVE, false, DURIZ_NATIVE_WINDOW_CONFIRM},
    {DURIZ_NAME_PARSEINT, MK_NATIVE, false, DURIZ_NATIVE_WINDOW_PARSEINT},
    {DURIZ_NAME_PARSEFLOAT, MK_NATIVE, false, DURIZ_NATIVE_WINDOW_PARSEFLOAT},
    {DURIZ_NAME_SETTIMEOUT, MK_NATIVE, false, DURIZ_NATIVE_WINDOW_SETTIMEOUT},
    {DURIZ_NAME_CLEARTIMEOUT, MK_NATIVE, false, DURIZ_NATIVE_WINDOW_CLEARTIMEOUT},
    {DURIZ_NAME_NAME, MK_SCALAR, false, 0},
    {DURIZ_NAME_STATUS, MK_SCALAR, false, 0},
    {DURIZ_NAME_ONLOAD, MK_SCALAR, false, 0},
    {DURIZ_NAME_ONBLUR, MK_SCALAR, false, 0},
    {DURIZ_NAME_ONERROR, MK_SCALAR, false, 0},
    {DURIZ_NAME_ONFOCUS, MK_SCALAR, false, 0},
    {DURIZ_NAME_ONUNLOAD, MK_SCALAR, false, 0},
    {DURIZ_NAME_LENGTH, MK_SCALAR, true, 0},
    {DURIZ_NAME_DEFAULTSTATUS, MK_SCALAR, true, 0},
    {DURIZ_NAME_CLOSED, MK_SCALAR, true, 0},
    {DURIZ_NAME_PARENT, MK_HOST_OBJECT, true, 0},
    {DURIZ_NAME_FRAMES, MK_HOST_OBJECT, true, 0},
    {DURIZ_NAME_OPENER, MK_HOST_OBJECT, true, 0},
    {DURIZ_NAME_HISTORY, MK_HOST_OBJECT, true, 0},
    {DURIZ_NAME_DOCUMENT, MK_HOST_OBJECT, true, 0},
    {DURIZ_NAME_NAVIGATOR, MK_HOST_OBJECT, true, 0},
    {DURIZ_NAME_LOCATION, MK_HOST_OBJECT, false, 0},
    {-1, MK_SCALAR, false, 0},
};

const HostMember kDocument[] = {
    {DURIZ_NAME_URL, MK_SCALAR, false, 0},
    {DURIZ_NAME_TITLE, MK_SCALAR, false, 0},
    {DURIZ_NAME_DOMAIN, MK_SCALAR, false, 0},
    {DURIZ_NAME_COOKIE, MK_SCALAR, false, 0},
    {DURIZ_NAME_ONLOAD, MK_SCALAR, false, 0},
    {DURIZ_NAME_ONUNLOAD, MK_SCALAR, false, 0},
    {DURIZ_NAME_LOCATION, MK_SCALAR, false, 0},
    {DURIZ_NAME_REFERRER, MK_SCALAR, false, 0},
    {DURIZ_NAME_BGCOLOR, MK_SCALAR, false, 0},
    {DURIZ_NAME_FGCOLOR, MK_SCALAR, false, 0},
    {DURIZ_NAME_LINKCOLOR, MK_SCALAR, false, 0},
    {DURIZ_NAME_VLINKCOLOR, MK_SCALAR, false, 0},
    {DURIZ_NAME_ALINKCOLOR, MK_SCALAR, false, 0},
    {DURIZ_NAME_LASTMODIFIED, MK_SCALAR, false, 0},
    {DURIZ_NAME_OPEN, MK_NATIVE, false, DURIZ_NATIVE_DOCUMENT_OPEN},
    {DURIZ_NAME_CLEAR, MK_NATIVE, false, DURIZ_NATIVE_DOCUMENT_CLEAR},
    {DURIZ_NAME_CLOSE, MK_NATIVE, false, DURIZ_NATIVE_DOCUMENT_CLOSE},
    {DURIZ_NAME_WRITE, MK_NATIVE, false, DURIZ_NATIVE_DOCUMENT_WRITE},
    {DURIZ_NAME_WRITELN, MK_NATIVE, false, DURIZ_NATIVE_DOCUMENT_WRITELN},
    {DURIZ_NAME_ANCHORS, MK_COLLECTION, true, 0},
    {DURIZ_NAME_APPLETS, MK_COLLECTION, true, 1},
    {DURIZ_NAME_EMBEDS, MK_COLLECTION, true, 2},
    {DURIZ_NAME_PLUGINS, MK_COLLECTION, true, 2},
    {DURIZ_NAME_FORMS, MK_COLLECTION, true, 3},
    {DURIZ_NAME_IMAGES, MK_COLLECTION, true, 4},
    {DURIZ_NAME_LINKS, MK_COLLECTION, true, 5},
    {-1, MK_SCALAR, false, 0},
};

const HostMember kForm[] = {
    {DURIZ_NAME_NAME, MK_SCALAR, true, 0},
    {DURIZ_NAME_TARGET, MK_SCALAR, false, 0},
    {DURIZ_NAME_METHOD, MK_SCALAR, false, 0},
    {DURIZ_NAME_ACTION, MK_SCALAR, false, 0},
    {DURIZ_NAME_ENCODING, MK_SCALAR, false, 0},
    {DURIZ_NAME_RESET, MK_NATIVE, true, DURIZ_NATIVE_FORM_RESET},
    {DURIZ_NAME_SUBMIT, MK_NATIVE, true, DURIZ_NATIVE_FORM_SUBMIT},
    {DURIZ_NAME_ONRESET, MK_HOST_OBJECT, false, 0},
    {DURIZ_NAME_ONSUBMIT, MK_HOST_OBJECT, false, 0},
    {DURIZ_NAME_ELEMENTS, MK_COLLECTION, true, 0},
    {-1, MK_SCALAR, false, 0},
};

const HostMember kButton[] = {
    {DURIZ_NAME_NAME, MK_SCALAR, true, 0},
    {DURIZ_NAME_TYPE, MK_SCALAR, true, 0},
    {DURIZ_NAME_FORM, MK_HOST_OBJECT, true, 0},
    {DURIZ_NAME_VALUE, MK_SCALAR, false, 0},
    {DURIZ_NAME_ONCLICK, MK_HOST_OBJECT, false, 0},
    {-1, MK_SCALAR, false, 0},
};

const HostMember kCheck[] = {
    {DURIZ_NAME_NAME, MK_SCALAR, true, 0},
    {DURIZ_NAME_TYPE, MK_SCALAR, true, 0},
    {DURIZ_NAME_FORM, MK_HOST_OBJECT, true, 0},
    {DURIZ_NAME_VALUE, MK_SCALAR, false, 0},
    {DURIZ_NAME_CHECKED, MK_SCALAR, false, 0},
    {DURIZ_NAME_DEFAULTCHECKED, MK_SCALAR, true, 0},
    {DURIZ_NAME_ONCLICK, MK_HOST_OBJECT, false, 0},
    {-1, MK_SCALAR, false, 0},
};

const HostMember kHidden[] = {
    {DURIZ_NAME_NAME, MK_SCALAR, true, 0},
    {DURIZ_NAME_TYPE, MK_SCALAR, true, 0},
    {DURIZ_NAME_FORM, MK_HOST_OBJECT, true, 0},
    {DURIZ_NAME_VALUE, MK_SCALAR, false, 0},
    {-1, MK_SCALAR, false, 0},
};

const HostMember kTextEntry[] = {
    {DURIZ_NAME_NAME, MK_SCALAR, true, 0},
    {DURIZ_NAME_TYPE, MK_SCALAR, true, 0},
    {DURIZ_NAME_FORM, MK_HOST_OBJECT, true, 0},
    {DURIZ_NAME_VALUE, MK_SCALAR, false, 0},
    {DURIZ_NAME_BLUR, MK_NATIVE, false, DURIZ_NATIVE_TEXT_BLUR},
    {DURIZ_NAME_FOCUS, MK_NATIVE, false, DURIZ_NATIVE_TEXT_FOCUS},
    {DURIZ_NAME_SELECT, MK_NATIVE, false, DURIZ_NATIVE_TEXT_SELECT},
    {DURIZ_NAME_ONBLUR, MK_HOST_OBJECT, false, 0},
    {DURIZ_NAME_ONFOCUS, MK_HOST_OBJECT, false, 0},
    {DURIZ_NAME_ONCHANGE, MK_HOST_OBJECT, false, 0},
    {-1, MK_SCALAR, false, 0},
};

const HostMember kTextArea[] = {
    {DURIZ_NAME_NAME, MK_SCALAR, true, 0},
    {DURIZ_NAME_TYPE, MK_SCALAR, true, 0},
    {DURIZ_NAME_FORM, MK_HOST_OBJECT, true, 0},
    {DURIZ_NAME_VALUE, MK_SCALAR, false, 0},
    {DURIZ_NAME_BLUR, MK_NATIVE, false, DURIZ_NATIVE_TEXT_BLUR},
    {DURIZ_NAME_FOCUS, MK_NATIVE, false, DURIZ_NATIVE_TEXT_FOCUS},
    {DURIZ_NAME_SELECT, MK_NATIVE, false, DURIZ_NATIVE_TEXT_SELECT},
    {DURIZ_NAME_ONBLUR, MK_HOST_OBJECT, false, 0},
    {DURIZ_NAME_ONFOCUS, MK_HOST_OBJECT, false, 0},
    {DURIZ_NAME_ONCHANGE, MK_HOST_OBJECT, false, 0},
    {DURIZ_NAME_DEFAULTVALUE, MK_SCALAR, true, 0},
    {-1, MK_SCALAR, false, 0},
};

const HostMember kSelect[] = {
    {DURIZ_NAME_NAME, MK_SCALAR, true, 0},
    {DURIZ_NAME_TYPE, MK_SCALAR, true, 0},
    {DURIZ_NAME_FORM, MK_HOST_OBJECT, true, 0},
    {DURIZ_NAME_LENGTH, MK_SCALAR, true, 0},
    {DURIZ_NAME_SELECTEDINDEX, MK_SCALAR, true, 0},
    {DURIZ_NAME_OPTIONS, MK_COLLECTION, true, 0},
    {DURIZ_NAME_ONCHANGE, MK_HOST_OBJECT, false, 0},
    {-1, MK_SCALAR, false, 0},
};

const HostMember kOption[] = {
    {DURIZ_NAME_TEXT, MK_SCALAR, true, 0},
    {DURIZ_NAME_INDEX, MK_SCALAR, true, 0},
    {DURIZ_NAME_VALUE, MK_SCALAR, false, 0},
    {DURIZ_NAME_SELECTED, MK_SCALAR, false, 0},
    {DURIZ_NAME_DEFAULTSELECTED, MK_SCALAR, true, 0},
    {-1, MK_SCALAR, false, 0},
};

const HostMember kHistory[] = {
    {DURIZ_NAME_LENGTH, MK_SCALAR, true, 0},
    {DURIZ_NAME_BACK, MK_NATIVE, true, DURIZ_NATIVE_HISTORY_BACK},
    {DURIZ_NAME_FORWARD, MK_NATIVE, true, DURIZ_NATIVE_HISTORY_FORWARD},
    {DURIZ_NAME_GO, MK_NATIVE, true, DURIZ_NATIVE_HISTORY_GO},
    {-1, MK_SCALAR, false, 0},
};

const HostMember kImage[] = {
    {DURIZ_NAME_SRC, MK_SCALAR, false, 0},
    {DURIZ_NAME_LOWSRC, MK_SCALAR, false, 0},
    {DURIZ_NAME_NAME, MK_SCALAR, true, 0},
    {DURIZ_NAME_WIDTH, MK_SCALAR, true, 0},
    {DURIZ_NAME_HEIGHT, MK_SCALAR, true, 0},
    {DURIZ_NAME_HSPACE, MK_SCALAR, true, 0},
    {DURIZ_NAME_VSPACE, MK_SCALAR, true, 0},
    {DURIZ_NAME_BORDER, MK_SCALAR, true, 0},
    {DURIZ_NAME_COMPLETE, MK_SCALAR, true, 0},
    {DURIZ_NAME_ONLOAD, MK_HOST_OBJECT, false, 0},
    {DURIZ_NAME_ONABORT, MK_HOST_OBJECT, false, 0},
    {DURIZ_NAME_ONERROR, MK_HOST_OBJECT, false, 0},
    {-1, MK_SCALAR, false, 0},
};

const HostMember kLink[] = {
    {DURIZ_NAME_HASH, MK_SCALAR, false, 0},
    {DURIZ_NAME_HREF, MK_SCALAR, false, 0},
    {DURIZ_NAME_HOST, MK_SCALAR, false, 0},
    {DURIZ_NAME_PORT, MK_SCALAR, false, 0},
    {DURIZ_NAME_TARGET, MK_SCALAR, false, 0},
    {DURIZ_NAME_SEARCH, MK_SCALAR, false, 0},
    {DURIZ_NAME_PATHNAME, MK_SCALAR, false, 0},
    {DURIZ_NAME_HOSTNAME, MK_SCALAR, false, 0},
    {DURIZ_NAME_PROTOCOL, MK_SCALAR, false, 0},
    {DURIZ_NAME_ONCLICK, MK_HOST_OBJECT, false, 0},
    {DURIZ_NAME_ONMOUSEOUT, MK_HOST_OBJECT, false, 0},
    {DURIZ_NAME_ONMOUSEOVER, MK_HOST_OBJECT, false, 0},
    {-1, MK_SCALAR, false, 0},
};

const HostMember kLocation[] = {
    {DURIZ_NAME_HASH, MK_SCALAR, false, 0},
    {DURIZ_NAME_HREF, MK_SCALAR, false, 0},
    {DURIZ_NAME_HOST, MK_SCALAR, false, 0},
    {DURIZ_NAME_PORT, MK_SCALAR, false, 0},
    {DURIZ_NAME_SEARCH, MK_SCALAR, false, 0},
    {DURIZ_NAME_PATHNAME, MK_SCALAR, false, 0},
    {DURIZ_NAME_HOSTNAME, MK_SCALAR, false, 0},
    {DURIZ_NAME_PROTOCOL, MK_SCALAR, false, 0},
    {DURIZ_NAME_RELOAD, MK_NATIVE, false, DURIZ_NATIVE_LOCATION_RELOAD},
    {DURIZ_NAME_ASSIGN, MK_NATIVE, false, DURIZ_NATIVE_HOST_ASSIGN},
    {DURIZ_NAME_REPLACE, MK_NATIVE, false, DURIZ_NATIVE_LOCATION_REPLACE},
    {-1, MK_SCALAR, false, 0},
};

const HostMember kMimeType[] = {
    {DURIZ_NAME_NAME, MK_SCALAR, true, 0},
    {DURIZ_NAME_SUFFIXES, MK_SCALAR, true, 0},
    {DURIZ_NAME_DESCRIPTION, MK_SCALAR, true, 0},
    {DURIZ_NAME_ENABLEDPLUGIN, MK_SCALAR, true, 0},
    {-1, MK_SCALAR, false, 0},
};

const HostMember kNavigator[] = {
    {DURIZ_NAME_APPNAME, MK_SCALAR, true, 0},
    {DURIZ_NAME_APPVERSION, MK_SCALAR, true, 0},
    {DURIZ_NAME_APPCODENAME, MK_SCALAR, true, 0},
    {DURIZ_NAME_USERAGENT, MK_SCALAR, true, 0},
    {DURIZ_NAME_PLUGINS, MK_COLLECTION, true, 1},
    {DURIZ_NAME_MIMETYPES, MK_COLLECTION, true, 0},
    {DURIZ_NAME_JAVAENABLED, MK_NATIVE, true, DURIZ_NATIVE_NAVIGATOR_JAVAENABLED},
    {DURIZ_NAME_TAINTENABLED, MK_NATIVE, true, DURIZ_NATIVE_NAVIGATOR_TAINTENABLED},
    {-1, MK_SCALAR, false, 0},
};

const HostMember kPlugin[] = {
    {DURIZ_NAME_NAME, MK_SCALAR, true, 0},
    {DURIZ_NAME_FILENAME, MK_SCALAR, true, 0},
    {DURIZ_NAME_DESCRIPTION, MK_SCALAR, true, 0},
    {DURIZ_NAME_MIMETYPES, MK_COLLECTION, true, 0},
    {-1, MK_SCALAR, false, 0},
};

const HostMember kGroup[] = {
    {DURIZ_NAME_ELEMENTS, MK_COLLECTION, true, 0},
    {-1, MK_SCALAR, false, 0},
};

}  // namespace

const HostMember *HostMembersOf(int classNumber) {
    switch (classNumber) {
    case DURIZ_CLASS_WINDOW: return kWindow;
    case DURIZ_CLASS_DOCUMENT: return kDocument;
    case DURIZ_CLASS_FORM: return kForm;
    case DURIZ_CLASS_BUTTON: return kButton;
    case DURIZ_CLASS_RESET: return kButton;
    case DURIZ_CLASS_SUBMIT: return kButton;
    case DURIZ_CLASS_CHECKBOX: return kCheck;
    case DURIZ_CLASS_RADIO: return kCheck;
    case DURIZ_CLASS_HIDDEN: return kHidden;
    case DURIZ_CLASS_PASSWORD: return kTextEntry;
    case DURIZ_CLASS_TEXT: return kTextArea;
    case DURIZ_CLASS_TEXTAREA: return kTextArea;
    case DURIZ_CLASS_SELECT: return kSelect;
    case DURIZ_CLASS_OPTION: return kOption;
    case DURIZ_CLASS_HISTORY: return kHistory;
    case DURIZ_CLASS_IMAGE: return kImage;
    case DURIZ_CLASS_LINK: return kLink;
    case DURIZ_CLASS_LOCATION: return kLocation;
    case DURIZ_CLASS_MIMETYPE: return kMimeType;
    case DURIZ_CLASS_NAVIGATOR: return kNavigator;
    case DURIZ_CLASS_PLUGIN: return kPlugin;
    case DURIZ_CLASS_ELEMENT_GROUP: return kGroup;
    default: return nullptr;
    }
}

namespace {

// Per class number, the position in its table of each built-in name's
// first member (kNoMember for none), filled on the first look-up.
constexpr int kClassLimit = 34;
constexpr uint8_t kNoMember = 255;
uint8_t g_memberAt[kClassLimit][kBuiltinNameCount];
bool g_memberAtKnown[kClassLimit];

}  // namespace

const HostMember *FindHostMember(int classNumber, int nameIndex) {
    if (classNumber < 0 || classNumber >= kClassLimit || nameIndex < 0 || nameIndex >= kBuiltinNameCount)
        return nullptr;
    const HostMember *members = HostMembersOf(classNumber);
    if (!members) return nullptr;
    uint8_t *at = g_memberAt[classNumber];
    if (!g_memberAtKnown[classNumber]) {
        for (int n = 0; n < kBuiltinNameCount; n++) at[n] = kNoMember;
        for (int i = 0; members[i].nameIndex >= 0 && i < kNoMember; i++) {
            const int n = members[i].nameIndex;
            if (n < kBuiltinNameCount && at[n] == kNoMember) at[n] = static_cast<uint8_t>(i);
        }
        g_memberAtKnown[classNumber] = true;
    }
    return at[nameIndex] == kNoMember ? nullptr : members + at[nameIndex];
}

int CollectionCountOf(int classNumber) {
    switch (classNumber) {
    case DURIZ_CLASS_DOCUMENT: return 6;
    case DURIZ_CLASS_NAVIGATOR: return 2;
    case DURIZ_CLASS_FORM: case DURIZ_CLASS_SELECT: case DURIZ_CLASS_ELEMENT_GROUP: case DURIZ_CLASS_PLUGIN: return 1;
    default: return 0;
    }
}
