// web/main.js
// Starts the page: without WebGPU it says so; with it, either renders one capture or offers the show behind Play.
import {captureFrames, captureOptions} from './capture.js';
import {loadCaptionFont} from './captions.js';
import {playShow} from './player.js';
import {GI_GROUP_SIZE} from './gpuBindings.js';
import {createGpu} from './renderFrame.js';
import {blockBytes, fillProgramRows, loadShowModule, makeShow} from './showPlan.js';

async function requestDevice() {
    const adapter = navigator.gpu ? await navigator.gpu.requestAdapter() : null;
    if (!adapter)
        return null;
    // The GI gather and copy run GI_GROUP_SIZE^3 invocations a group, as in GL, where the adapter allows it.
    const invocations = Math.min(GI_GROUP_SIZE ** 3, adapter.limits.maxComputeInvocationsPerWorkgroup);
    return adapter.requestDevice({requiredLimits: {maxComputeInvocationsPerWorkgroup: invocations}});
}

function showMessage(text) {
    document.getElementById('message').textContent = text;
    document.body.classList.add('noWebGpu');
    console.log(`lumenfold-message ${text}`);
}

async function main() {
    const query = new URLSearchParams(location.search);
    const [device, wasm] = await Promise.all([requestDevice(), loadShowModule(), loadCaptionFont()]);
    if (!device) {
        showMessage('This browser cannot show Lumenfold: it has no WebGPU. Chrome or Edge, Safari 26, or Firefox on ' +
                    'Windows can; or watch the show as a video, made with lumenfold-capture --video.');
        // A capture that cannot render ends, so a headless browser does not wait on it.
        if (query.has('capture'))
            window.close();
        return;
    }
    device.lost.then(info => console.error(`lumenfold: the GPU device was lost: ${info.message}`));
    device.addEventListener('uncapturederror', event => console.error(`lumenfold: WebGPU: ${event.error.message}`));
    const startShow = options => makeShow(wasm, options);
    const rows = fillProgramRows(wasm);
    if (query.has('capture')) {
        const gpu = await createGpu(device, rows, 'rgba8unorm', blockBytes(wasm));
        await captureFrames(gpu, startShow, captureOptions(query));
        // A headless browser given only this page ends with it.
        window.close();
        return;
    }
    const canvas = document.getElementById('show');
    const context = canvas.getContext('webgpu');
    const format = navigator.gpu.getPreferredCanvasFormat();
    context.configure({device, format, alphaMode: 'opaque'});
    const gpu = await createGpu(device, rows, format, blockBytes(wasm));
    const stage = {element: document.getElementById('stage'), canvas, context,
                   overlay: document.getElementById('captions')};
    const play = document.getElementById('play');
    play.disabled = false;
    play.addEventListener('click', async () => {
        document.body.classList.add('playing');
        await playShow(gpu, startShow, stage);
        document.body.classList.remove('playing');
    });
}

main();
