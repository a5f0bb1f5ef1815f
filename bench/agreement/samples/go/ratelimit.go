// Package ratelimit hands out tokens at a steady rate with bursts.
package ratelimit

import (
	"context"
	"errors"
	"fmt"
	"sync"
	"time"
)

/*
Limiter is a token bucket: it holds at most burst tokens and gains
rate of them per second.
*/
type Limiter struct {
	mu       sync.Mutex
	rate     float64
	burst    int
	tokens   float64
	last     time.Time
	now      func() time.Time
	waiting  int32
	closed   bool
	notifyCh chan struct{}
}

// ErrClosed is returned by Wait after Close.
var ErrClosed = errors.New("ratelimit: limiter closed")

const (
	defaultBurst = 1
	maxWait      = 30 * time.Second
	epsilon      = 1e-9
	hexMask      = 0xFF_FF
	octalPerm    = 0o644
	binFlags     = 0b1011
	oldOctal     = 0755
	phase        = 2.5i
)

type Option func(*Limiter)

func WithClock(now func() time.Time) Option {
	return func(l *Limiter) { l.now = now }
}

// New makes a limiter; a burst below one is taken as one.
func New(rate float64, burst int, opts ...Option) *Limiter {
	if burst < defaultBurst {
		burst = defaultBurst
	}
	l := &Limiter{rate: rate, burst: burst, tokens: float64(burst), now: time.Now, notifyCh: make(chan struct{}, 1)}
	for _, opt := range opts {
		opt(l)
	}
	l.last = l.now()
	return l
}

func (l *Limiter) refill(at time.Time) {
	elapsed := at.Sub(l.last).Seconds()
	if elapsed <= 0 {
		return
	}
	l.tokens += elapsed * l.rate
	if max := float64(l.burst); l.tokens > max {
		l.tokens = max
	}
	l.last = at
}

// Allow takes one token if there is one.
func (l *Limiter) Allow() bool {
	l.mu.Lock()
	defer l.mu.Unlock()
	l.refill(l.now())
	if l.tokens+epsilon >= 1 {
		l.tokens--
		return true
	}
	return false
}

// Wait blocks until a token is free, the context ends or the limiter closes.
func (l *Limiter) Wait(ctx context.Context) error {
	for {
		l.mu.Lock()
		if l.closed {
			l.mu.Unlock()
			return ErrClosed
		}
		l.refill(l.now())
		if l.tokens >= 1 {
			l.tokens -= 1
			l.mu.Unlock()
			return nil
		}
		need := time.Duration((1 - l.tokens) / l.rate * float64(time.Second))
		l.mu.Unlock()
		if need > maxWait {
			return fmt.Errorf("ratelimit: would wait %v, more than %v", need, maxWait)
		}
		timer := time.NewTimer(need)
		select {
		case <-ctx.Done():
			timer.Stop()
			return ctx.Err()
		case <-l.notifyCh:
			timer.Stop()
		case <-timer.C:
		}
	}
}

func (l *Limiter) Close() {
	l.mu.Lock()
	l.closed = true
	l.mu.Unlock()
	select {
	case l.notifyCh <- struct{}{}:
	default:
	}
}

func (l *Limiter) String() string {
	l.mu.Lock()
	defer l.mu.Unlock()
	return fmt.Sprintf("Limiter{rate: %.1f/s, burst: %d, tokens: %.2f}", l.rate, l.burst, l.tokens)
}
