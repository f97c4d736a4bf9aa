// web/captions.js
// Draws the plan's captions on a 2D canvas in the caption font, each pinned by its top-right corner.

// The font size the show plans captions for, as the desktop's UI reports it; they are drawn at it times textScale.
export const captionFontSize = 13;

export async function loadCaptionFont() {
    const font = new FontFace('Corvel', 'url(Corvel.ttf)');
    return font.load().then(loaded => { document.fonts.add(loaded); return true; },
                            () => { console.warn('Corvel.ttf could not be loaded; a built-in font serves'); return false; });
}

export function drawCaptions(context, plan) {
    context.save();
    context.font = `${captionFontSize * plan.textScale}px Corvel, sans-serif`;
    context.textAlign = 'right';
    context.textBaseline = 'top';
    for (const caption of plan.captions) {
        context.fillStyle = `rgba(255, 255, 255, ${caption.alpha})`;
        caption.text.split('\n').forEach((line, i) =>
            context.fillText(line, caption.x, caption.y + i * captionFontSize * plan.textScale));
    }
    context.restore();
}
