// web/player.js
// Plays the show full screen with its soundtrack: the show clock follows the audio position, as the demo's clock
// follows the music; without music it follows the page's own clock. Escape, or the show's end, stops it.
import {drawCaptions} from './captions.js';
import {renderFrame} from './renderFrame.js';

async function startSoundtrack() {
    const audio = new AudioContext();
    const reply = await fetch("Korvane's Swing.mp3").catch(() => null);
    const data = reply && reply.ok ? await reply.arrayBuffer() : null;
    const music = data ? await audio.decodeAudioData(data).catch(() => null) : null;
    if (!music) {
        console.warn('mp3 not found.');
        const started = performance.now();
        audio.close();
        return {timeSec: () => (performance.now() - started) / 1000, stop() {}};
    }
    const source = audio.createBufferSource();
    source.buffer = music;
    source.connect(audio.destination);
    const startAt = audio.currentTime + 0.1;
    source.start(startAt);
    return {timeSec: () => Math.max(audio.currentTime - startAt, 0), stop: () => audio.close()};
}

function fitCanvas(canvas) {
    canvas.width = Math.round(canvas.clientWidth * devicePixelRatio);
    canvas.height = Math.round(canvas.clientHeight * devicePixelRatio);
}

export async function playShow(gpu, makeShow, stage) {
    const {canvas, overlay, context} = stage;
    await stage.element.requestFullscreen().catch(() => console.warn('full screen was refused; playing in the page'));
    const soundtrack = await startSoundtrack();
    const show = makeShow({});
    const captions = overlay.getContext('2d');
    let playing = true;
    const stop = () => { playing = false; };
    const onKey = event => { if (event.key === 'Escape') stop(); };
    const onFullscreen = () => { if (!document.fullscreenElement) stop(); };
    document.addEventListener('keydown', onKey);
    document.addEventListener('fullscreenchange', onFullscreen);
    await new Promise(finished => {
        const frame = () => {
            if (!playing)
                return finished();
            fitCanvas(canvas);
            fitCanvas(overlay);
            const timeSec = soundtrack.timeSec();
            const plan = show.step(timeSec, timeSec, canvas.width, canvas.height);
            renderFrame(gpu, plan, context.getCurrentTexture().createView(), canvas.height);
            captions.clearRect(0, 0, overlay.width, overlay.height);
            drawCaptions(captions, plan.captions);
            if (plan.showOver)
                stop();
            requestAnimationFrame(frame);
        };
        requestAnimationFrame(frame);
    });
    document.removeEventListener('keydown', onKey);
    document.removeEventListener('fullscreenchange', onFullscreen);
    soundtrack.stop();
    show.free();
    if (document.fullscreenElement)
        await document.exitFullscreen();
}
