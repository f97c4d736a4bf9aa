// web/capture.js
// Renders moments as the capture tool does: a show entered at the scene, stepped on the fixed clock from show
// time 0 up to each moment, then read back and printed as one console line holding a PNG. Several moments
// (at=S1,S2) share one run, as the golden pictures of a scene do.
import {drawCaptions} from './captions.js';
import {renderFrame} from './renderFrame.js';

export function captureOptions(query) {
    const [width, height] = (query.get('size') || '1920x1080').split('x').map(Number);
    return {scene: Number(query.get('scene') ?? -1), atSecs: (query.get('at') || '0').split(',').map(Number),
            fps: Number(query.get('fps') || 60), width, height, volume: Number(query.get('volume') || 128),
            rays: Number(query.get('rays') || 0)};
}

// The small epsilon keeps 0.1 s at 10 fps from losing its frame to rounding.
function captureFrameCount(atSec, fps) {
    return Math.floor(atSec * fps + 1e-6) + 1;
}

async function readTexture(device, texture, width, height) {
    const bytesPerRow = Math.ceil(width * 4 / 256) * 256;
    const buffer = device.createBuffer({size: bytesPerRow * height,
                                        usage: GPUBufferUsage.COPY_DST | GPUBufferUsage.MAP_READ});
    const encoder = device.createCommandEncoder();
    encoder.copyTextureToBuffer({texture}, {buffer, bytesPerRow}, [width, height]);
    device.queue.submit([encoder.finish()]);
    await buffer.mapAsync(GPUMapMode.READ);
    const rows = new Uint8Array(buffer.getMappedRange());
    const pixels = new Uint8ClampedArray(width * height * 4);
    for (let y = 0; y < height; ++y)
        pixels.set(rows.subarray(y * bytesPerRow, y * bytesPerRow + width * 4), y * width * 4);
    buffer.unmap();
    return pixels;
}

async function printFrame(gpu, target, plan, width, height) {
    const pixels = await readTexture(gpu.device, target, width, height);
    const canvas = document.createElement('canvas');
    canvas.width = width;
    canvas.height = height;
    const context = canvas.getContext('2d');
    context.putImageData(new ImageData(pixels, width, height), 0, 0);
    drawCaptions(context, plan.captions);
    console.log(`lumenfold-frame ${canvas.toDataURL('image/png')}`);
}

export async function captureFrames(gpu, makeShow, options) {
    const {width, height, fps} = options;
    const show = makeShow({startScene: options.scene, volumeOverride: options.volume, fixedRays: options.rays});
    const target = gpu.device.createTexture({size: [width, height], format: gpu.format,
                                             usage: GPUTextureUsage.RENDER_ATTACHMENT | GPUTextureUsage.COPY_SRC});
    let frame = 0;
    let plan = null;
    const started = performance.now();
    for (const atSec of options.atSecs) {
        const frames = captureFrameCount(atSec, fps);
        for (; frame < frames && !plan?.showOver; ++frame) {
            const timeSec = frame / fps;
            plan = show.step(timeSec, timeSec, width, height);
            renderFrame(gpu, plan, target.createView(), height);
        }
        await printFrame(gpu, target, plan, width, height);
        console.log(`lumenfold-capture: ${frame} frames, ${((performance.now() - started) / frame).toFixed(1)} ms ` +
                    `a frame, scene ${plan.sceneIndex} at ${show.sceneTimeSec().toFixed(3)} s`);
    }
    show.free();
}
