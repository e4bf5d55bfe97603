// Replays review histories through ts-fsrs, the reference FSRS implementation, on whole days
// (no learning steps, no fuzz). Reads [[{day, grade}, ...], ...] as JSON on stdin and writes, per
// history, each review's interval and the final stability and difficulty as JSON on stdout.
import { fsrs, createEmptyCard } from 'ts-fsrs';

const scheduler = fsrs({ enable_short_term: false, enable_fuzz: false });
const dayMs = 24 * 60 * 60 * 1000;
const input = await new Promise((resolve) => {
  let text = '';
  process.stdin.on('data', (chunk) => (text += chunk));
  process.stdin.on('end', () => resolve(text));
});
const replayed = JSON.parse(input).map((history) => {
  let card = createEmptyCard(new Date(history[0].day * dayMs));
  const intervals = [];
  for (const { day, grade } of history) {
    card = scheduler.next(card, new Date(day * dayMs + 12 * 60 * 60 * 1000), grade).card;
    intervals.push(card.scheduled_days);
  }
  return { intervals, stability: card.stability, difficulty: card.difficulty };
});
process.stdout.write(JSON.stringify(replayed));
