// web/showPlan.js
// The show's CPU frame step, compiled to WebAssembly, read back each frame as a plain frame plan.
import {captionFontSize} from './captions.js';

const scalarFields = [
    ['volSize', 'i'], ['fillRun', 'i'], ['fillProgram', 'i'], ['fillVolSize', 'i'], ['fillTimeSec', 'f'],
    ['fillUniformCount', 'i'], ['giClear', 'i'], ['giRun', 'i'], ['giBlend', 'f'], ['giFrameId', 'u'],
    ['raysPerFrame', 'i'], ['falloff', 'f'], ['samplingMode', 'i'], ['multibounce', 'i'],
    ['opaquePassthrough', 'i'], ['clearR', 'f'], ['clearG', 'f'], ['clearB', 'f'], ['bgR', 'f'], ['bgG', 'f'],
    ['bgB', 'f'], ['refractionIOR', 'f'], ['haloEnabled', 'i'], ['haloIntensity', 'f'], ['textScale', 'f'],
    ['captionCount', 'i'], ['showOver', 'i'], ['sceneIndex', 'i'],
];

// The byte sizes of the Constants and views blocks, as the C++ images have them.
export function blockBytes(wasm) {
    return {constants: wasm._lfConstantsBytes(), views: wasm._lfViewsBytes()};
}

export async function loadShowModule() {
    return createShowModule();
}

// Each registry row's fill program: its name and the pieces it is composed of, in order.
export function fillProgramRows(wasm) {
    const rows = [];
    for (let row = 0; row < wasm._lfSceneRowCount(); ++row) {
        const pieces = [];
        for (let i = 0; i < wasm._lfScenePieceCount(row); ++i)
            pieces.push(wasm.UTF8ToString(wasm._lfScenePiece(row, i)));
        rows.push({name: wasm.UTF8ToString(wasm._lfSceneProgramName(row)), pieces});
    }
    return rows;
}

function readScalars(wasm, pointer) {
    const scalars = {};
    scalarFields.forEach(([name, type], i) => {
        const heap = type === 'f' ? wasm.HEAPF32 : type === 'u' ? wasm.HEAPU32 : wasm.HEAP32;
        scalars[name] = heap[(pointer >> 2) + i];
    });
    return scalars;
}

function copyBytes(wasm, pointer, count) {
    return wasm.HEAPU8.slice(pointer, pointer + count);
}

function readPlan(wasm, show, pointer) {
    const s = readScalars(wasm, pointer);
    const bytes = blockBytes(wasm);
    const uniforms = {};
    for (let i = 0; i < s.fillUniformCount; ++i)
        uniforms[wasm.UTF8ToString(wasm._lfFillUniformName(show, i))] = wasm._lfFillUniformValue(show, i);
    const captions = [];
    for (let i = 0; i < s.captionCount; ++i) {
        const place = wasm._lfCaptionPlace(show, i) >> 2;
        captions.push({text: wasm.UTF8ToString(wasm._lfCaptionText(show, i)), x: wasm.HEAPF32[place],
                       y: wasm.HEAPF32[place + 1], alpha: wasm.HEAPF32[place + 2]});
    }
    return {
        volSize: s.volSize,
        fill: {run: !!s.fillRun, program: s.fillProgram, volSize: s.fillVolSize, timeSec: s.fillTimeSec, uniforms,
               constants: copyBytes(wasm, wasm._lfFillConstants(show), bytes.constants)},
        constants: copyBytes(wasm, wasm._lfConstants(show), bytes.constants),
        gi: {clear: !!s.giClear, run: !!s.giRun, blend: s.giBlend, frameId: s.giFrameId, raysPerFrame: s.raysPerFrame,
             falloff: s.falloff, samplingMode: s.samplingMode, multibounce: !!s.multibounce,
             opaquePassthrough: !!s.opaquePassthrough},
        draw: {views: copyBytes(wasm, wasm._lfViews(show), bytes.views), clearColour: [s.clearR, s.clearG, s.clearB],
               bgColor: [s.bgR, s.bgG, s.bgB], refractionIOR: s.refractionIOR, haloEnabled: !!s.haloEnabled,
               haloIntensity: s.haloIntensity},
        captions: {textScale: s.textScale, captions},
        showOver: !!s.showOver,
        sceneIndex: s.sceneIndex,
    };
}

// One run of the show; startScene -1 plays the playlist from its start.
export function makeShow(wasm, {startScene = -1, volumeOverride = 0, fixedRays = 0} = {}) {
    const show = wasm._lfMakeShow(startScene, volumeOverride, fixedRays, captionFontSize);
    return {
        step(showTimeSec, musicTimeSec, width, height) {
            return readPlan(wasm, show, wasm._lfStepShow(show, showTimeSec, musicTimeSec, width, height));
        },
        sceneTimeSec: () => wasm._lfSceneTimeSec(show),
        free: () => wasm._lfFreeShow(show),
    };
}
