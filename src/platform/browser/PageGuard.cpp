#include "platform/browser/PageGuard.h"

namespace lectern::platform::PageGuard {

namespace {

// Everything the guard calls later is taken now, before any page script
// can replace it. A window is guarded once; one of another origin cannot be
// reached (and the engine gives it nothing of this page's either).
const char* const source = R"JS((function () {
  'use strict';
  const apply = Reflect.apply;
  const define = Object.defineProperty;
  const describe = Object.getOwnPropertyDescriptor;
  const guarded = new WeakSet();
  const has = WeakSet.prototype.has;
  const add = WeakSet.prototype.add;
  const lower = String.prototype.toLowerCase;
  const rtcNames = ['RTCPeerConnection', 'webkitRTCPeerConnection', 'RTCDataChannel',
                    'RTCRtpSender', 'RTCRtpReceiver', 'RTCRtpTransceiver', 'RTCIceCandidate',
                    'RTCSessionDescription', 'RTCDtlsTransport', 'RTCIceTransport',
                    'RTCSctpTransport', 'RTCCertificate', 'RTCDTMFSender',
                    'RTCEncodedAudioFrame', 'RTCEncodedVideoFrame'];
  const top = window;

  function fix(target, name, descriptor) {
    try {
      descriptor.configurable = false;
      define(target, name, descriptor);
    } catch (e) {}
  }

  function frameCount(win) {
    try { return win.length; } catch (e) { return 0; }
  }

  // Guards every frame below win, as it is now.
  function guardFrames(win) {
    const count = frameCount(win);
    for (let i = 0; i < count; ++i) {
      let child = null;
      try { child = win[i]; } catch (e) {}
      guard(child);
      guardFrames(child);
    }
  }

  function afterwards(target, name) {
    const d = target && describe(target, name);
    if (!d) return;
    if (typeof d.value === 'function') {
      const original = d.value;
      d.value = function () {
        try { return apply(original, this, arguments); } finally { guardFrames(top); }
      };
    } else if (d.set) {
      const original = d.set;
      d.set = function (v) {
        try { apply(original, this, [v]); } finally { guardFrames(top); }
      };
    } else {
      return;
    }
    fix(target, name, d);
  }

  // A frame's window and document are guarded before a script gets them.
  function guardedGetter(target, name, windowOf) {
    const d = target && describe(target, name);
    if (!d) return;
    const original = d.get || d.value;
    const wrapped = function () {
      const result = apply(original, this, arguments);
      if (result) {
        guard(windowOf(result));
        guardFrames(top);
      }
      return result;
    };
    if (d.get) d.get = wrapped; else d.value = wrapped;
    fix(target, name, d);
  }

  function guard(win) {
    if (!win) return;
    let proto;
    try {
      if (apply(has, guarded, [win])) return;
      proto = win.Document.prototype;
    } catch (e) { return; }
    apply(add, guarded, [win]);
    for (const name of rtcNames)
      fix(win, name, {value: undefined, writable: false});

    const execCommand = proto.execCommand;
    fix(proto, 'execCommand', {writable: false, value: function (command) {
      const name = apply(lower, String(command), []);
      if (name === 'copy' || name === 'cut') return false;
      try { return apply(execCommand, this, arguments); } finally { guardFrames(top); }
    }});
    if (win.Clipboard) {
      const refuse = function () {
        return Promise.reject(new win.DOMException('Writing to the clipboard is not allowed',
                                                   'NotAllowedError'));
      };
      for (const name of ['write', 'writeText'])
        fix(win.Clipboard.prototype, name, {writable: false, value: refuse});
    }
    // First of all listeners: a page's own copy handler never gets to
    // replace what the learner copies, which the engine then copies as is.
    const stop = function (event) { event.stopImmediatePropagation(); };
    for (const type of ['copy', 'cut'])
      win.addEventListener(type, stop, true);

    const viewOf = (doc) => doc.defaultView;
    for (const element of ['HTMLIFrameElement', 'HTMLFrameElement', 'HTMLObjectElement']) {
      const p = win[element] && win[element].prototype;
      guardedGetter(p, 'contentWindow', (w) => w);
      guardedGetter(p, 'contentDocument', viewOf);
      guardedGetter(p, 'getSVGDocument', viewOf);
    }
    if (win.HTMLEmbedElement) guardedGetter(win.HTMLEmbedElement.prototype, 'getSVGDocument', viewOf);
    // Whatever may add a frame guards the new frames before it returns.
    const inserts = {
      Node: ['appendChild', 'insertBefore', 'replaceChild'],
      Element: ['append', 'prepend', 'before', 'after', 'replaceWith', 'replaceChildren',
                'insertAdjacentElement', 'insertAdjacentHTML', 'innerHTML', 'outerHTML'],
      CharacterData: ['before', 'after', 'replaceWith'],
      Document: ['append', 'prepend', 'replaceChildren', 'write', 'writeln'],
      DocumentFragment: ['append', 'prepend', 'replaceChildren'],
      ShadowRoot: ['innerHTML'],
      Range: ['insertNode', 'surroundContents'],
    };
    for (const type in inserts) {
      const p = win[type] && win[type].prototype;
      for (const name of inserts[type]) afterwards(p, name);
    }
    // Frames in the markup: the parser hands them over before the next
    // script of the page runs.
    try {
      new win.MutationObserver(() => guardFrames(top))
          .observe(win.document, {childList: true, subtree: true});
    } catch (e) {}
  }

  guard(window);
})();
)JS";

}  // namespace

QString script() {
    return QString::fromLatin1(source);
}

}  // namespace lectern::platform::PageGuard
